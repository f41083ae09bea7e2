#include "Resources.h"

#include <cstddef>

extern const unsigned char MainFormLayoutData[];
extern const std::size_t MainFormLayoutDataSize;

std::string MainFormLayoutText() {
  return std::string(reinterpret_cast<const char*>(MainFormLayoutData), MainFormLayoutDataSize);
}
