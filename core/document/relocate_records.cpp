// RelocateRecords: common prefix and suffix by hash, then a windowed search
// inside the changed region for each marked line in between.
#include "core/document/relocate_records.h"

#include <cstdlib>
#include <optional>

namespace tarnvelock {

namespace {

// Lines of this length or more count double when they match: short lines
// such as ")" or "echo." match anywhere.
constexpr size_t kLongLine = 9;

class Relocation {
 public:
  Relocation(const std::vector<DocumentLine>& old_items, const std::vector<DocumentLine>& new_items)
      : old_(old_items),
        new_(new_items),
        m_(static_cast<int>(old_items.size()) - 1),
        n_(static_cast<int>(new_items.size()) - 1) {
    while (p_ < m_ && p_ <= n_ && old_[p_].hash == new_[p_].hash) ++p_;
    while (m_ - 1 - s_ >= p_ && n_ - 1 - s_ >= 0 &&
           old_[m_ - 1 - s_].hash == new_[n_ - 1 - s_].hash) {
      ++s_;
    }
    step_ = n_ - m_ >= 0 ? 1 : -1;
  }

  int old_count() const { return m_; }

  // The new line for old line k, or nothing when its record is dropped.
  std::optional<int> Target(int k) {
    const int delta = n_ - m_;
    if (k < p_) return k;
    if (k >= m_ - s_) return k + delta;
    if (m_ - s_ == p_ + 1) return delta == 0 ? std::optional<int>(k) : std::nullopt;
    return Search(k);
  }

 private:
  bool LongLine(int k) const { return old_[k].text.size() >= kLongLine; }
  bool OldInRange(int i) const { return i >= 0 && i <= m_; }
  bool NewInRange(int i) const { return i >= 0 && i <= n_; }

  // The score a perfect window reaches; neighbours beyond the text count 1.
  int Threshold(int k) const {
    int threshold = LongLine(k) ? 10 : 5;
    for (int i = -3; i <= 3; ++i) threshold += OldInRange(k + i) ? 5 - std::abs(i) : 1;
    return threshold;
  }

  int Score(int k, int c) const {
    int score = 0;
    for (int i = -3; i <= 3; ++i) {
      if (!OldInRange(k + i) || !NewInRange(c + i)) {
        score += 1;
        continue;
      }
      const DocumentLine& a = old_[k + i];
      const DocumentLine& b = new_[c + i];
      if (a.hash != b.hash || a.text != b.text) continue;
      score += 5 - std::abs(i);
      if (i == 0) score += LongLine(k) ? 10 : 5;
    }
    return score;
  }

  // Walks the changed region from k in the current direction, then from k the
  // other way, and stops early at a perfect window. The direction persists
  // from one search to the next.
  std::optional<int> Search(int k) {
    const int threshold = Threshold(k);
    const int last = n_ - s_;
    int c = k;
    bool last_direction = false;
    if (c == p_) {
      last_direction = true;
    } else if (c > last) {
      c = last;
      last_direction = true;
    }
    int best = 9;
    std::optional<int> target;
    for (;;) {
      if (c < p_ || c > last) {
        if (last_direction) break;
        last_direction = true;
        step_ = -step_;
        c = k + step_;
        continue;
      }
      const int score = Score(k, c);
      if (score > best) {
        best = score;
        target = c;
        if (score >= threshold) break;
      }
      c += step_;
    }
    return target;
  }

  const std::vector<DocumentLine>& old_;
  const std::vector<DocumentLine>& new_;
  const int m_;
  const int n_;
  int p_ = 0;
  int s_ = 0;
  int step_ = 1;
};

}  // namespace

void RelocateRecords(const std::vector<DocumentLine>& old_items,
                     const std::vector<LineRecord>& old_records,
                     const std::vector<DocumentLine>& new_items,
                     std::vector<LineRecord>& new_records) {
  if (old_items.empty() || new_items.empty()) return;
  Relocation relocation(old_items, new_items);
  for (int k = 0; k < relocation.old_count(); ++k) {
    if (!old_records[k].HasUserAttributes()) continue;
    const auto target = relocation.Target(k);
    if (!target) continue;
    LineRecord& record = new_records[*target];
    record = old_records[k];
    record.ConcatZeile = false;
    record.ErrorZeile = errNull;
    record.Pause = false;
  }
}

}  // namespace tarnvelock
