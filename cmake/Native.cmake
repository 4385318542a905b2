# Native build: the code free of windows.h under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(gtest PRIVATE ${SANITIZE})
target_compile_options(gtest_main PRIVATE ${SANITIZE})
