#include "platform/shared_text.h"

#include <sanitizer/asan_interface.h>

#include <cstring>
#include <new>

#include "platform/run_limits.h"

namespace orv {
namespace {

// Short texts come and go all the time (a routine's result, a joined text),
// so their buffers are kept for the next one instead of going back to the
// heap: a stack of blocks of one size, of bounded depth. Texts belong to one
// thread, so the stack needs no lock. While a block waits on the stack the
// address sanitizer treats it as freed.
constexpr size_t kSmallBlock = 64;
constexpr size_t kSmallCapacity = kSmallBlock - sizeof(TextRep);
constexpr int kMaxKeptBlocks = 1024;
void* kept_blocks[kMaxKeptBlocks];
int kept_count = 0;

void* TakeBlock(size_t capacity) {
  if (capacity != kSmallCapacity || kept_count == 0) return ::operator new(sizeof(TextRep) + capacity);
  void* block = kept_blocks[--kept_count];
  ASAN_UNPOISON_MEMORY_REGION(block, kSmallBlock);
  return block;
}

void GiveBlock(void* block, size_t capacity) {
  if (capacity != kSmallCapacity || kept_count == kMaxKeptBlocks) {
    ::operator delete(block);
    return;
  }
  ASAN_POISON_MEMORY_REGION(block, kSmallBlock);
  kept_blocks[kept_count++] = block;
}

}  // namespace

TextRep* TextRep::Make(std::string_view text, size_t capacity) {
  if (capacity < kSmallCapacity)
    capacity = kSmallCapacity;
  else if (capacity > kSmallCapacity)
    ReserveRunMemory(capacity);  // a script's large texts count against its budget
  auto* rep = new (TakeBlock(capacity)) TextRep{1, text.size(), capacity};
  if (!text.empty()) std::memcpy(rep->data(), text.data(), text.size());
  return rep;
}

void TextRep::Free() {
  const size_t capacity_of_block = capacity;
  this->~TextRep();
  GiveBlock(this, capacity_of_block);
}

}  // namespace orv
