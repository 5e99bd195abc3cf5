#include "engine/chunks.h"

namespace juvo {

std::u16string chunkResult(std::u16string_view result) {
  if (result.size() <= kChunkLength) return std::u16string(result);
  const std::size_t separators = (result.size() - 1) / kChunkLength;
  std::u16string chunked;
  chunked.reserve(result.size() + separators * kChunkSeparator.size());
  for (std::size_t start = 0; start < result.size(); start += kChunkLength) {
    if (start > 0) chunked += kChunkSeparator;
    chunked += result.substr(start, kChunkLength);
  }
  return chunked;
}

std::vector<std::u16string> splitChunks(std::u16string_view text) {
  std::vector<std::u16string> pieces;
  if (text.empty()) return pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(kChunkSeparator, start);
    if (at == std::u16string_view::npos) break;
    pieces.emplace_back(text.substr(start, at - start));
    start = at + kChunkSeparator.size();
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

}  // namespace juvo
