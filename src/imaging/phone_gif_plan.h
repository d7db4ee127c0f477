#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

// The four GIF files of a picture for phones, with colour tables of 256, 128, 64 and 32 entries,
// made together so that the attachment rule (the largest file below the budget) picks the one
// that looks best.
//
// Each file's colour table keeps its size, but how many of its entries the picture uses and how
// far the LZW coder may bend pixels to longer strings are chosen per picture: for every table
// size that could win, the best-looking version below the budget is searched (looks measured as
// squared error in red-green-blue), the best of those is the one to attach, and the other files
// are made so that the rule passes them over (smaller than the chosen one, at the budget or
// above, or as good).
class PhoneGifPlan {
 public:
  // Files must stay below this many bytes to be attached.
  static constexpr int kBudget = 8192;

  struct File {
    int tableBits = 0;
    int colors = 0;           // palette entries the picture uses
    int tolerance = 0;        // of the lossy coder; 0 = lossless
    double squaredError = 0;  // summed over the pixels and channels, against the picture
    std::vector<std::uint8_t> bytes;
  };

  explicit PhoneGifPlan(const QImage& picture);

  // The file with a table of 1 << bits entries, bits 5 ... 8.
  const File& FileFor(int bits) const { return files_[8 - bits]; }
  // Which table size the rule will attach (0 when none fits).
  int AttachedBits() const;

 private:
  std::array<File, 4> files_;  // 8, 7, 6, 5 bits
};
