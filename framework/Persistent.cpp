#include "framework/Persistent.h"

#include "framework/FrameworkErrors.h"

void TPersistent::Assign(const TPersistent& source) {
  throw EConvertError(source.ClassName(), ClassName());
}
