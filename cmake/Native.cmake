# Native build: the code free of windows.h under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set(VARNEX_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(gtest PRIVATE ${VARNEX_SANITIZE})
target_compile_options(gtest_main PRIVATE ${VARNEX_SANITIZE})
