#include "core/state.h"

#include "core/errors.h"

namespace krv {

void ByteBuffer::Redim(int32_t upperBound, uint8_t fill) {
  v_.assign(upperBound < 0 ? 0 : static_cast<size_t>(upperBound) + 1, fill);
}

void ByteBuffer::Check(int32_t i) const {
  if (i < 0 || i >= Size()) throw RuntimeError("Subscript out of range");
}

uint8_t ByteBuffer::Get(int32_t i) const {
  Check(i);
  return v_[static_cast<size_t>(i)];
}

void ByteBuffer::Set(int32_t i, uint32_t value) {
  Check(i);
  if (value > 255) throw RuntimeError("Overflow");
  v_[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
}

uint32_t ByteBuffer::Sum(int32_t first, int32_t count) const {
  if (count <= 0) return 0;
  Check(first);
  Check(first + count - 1);
  uint32_t sum = 0;
  for (int32_t i = first; i < first + count; ++i) sum += v_[static_cast<size_t>(i)];
  return sum;
}

}  // namespace krv
