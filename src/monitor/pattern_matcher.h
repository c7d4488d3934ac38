#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace wrenhollow {

// Finds, in one pass over a text, every occurrence of any of many patterns, ignoring ASCII case
// (Aho-Corasick). Add the patterns, then Build once, then search any number of texts.
class PatternMatcher {
 public:
  PatternMatcher();

  // Returns the pattern's id: 0, 1, 2... for each new pattern, and the earlier id for a pattern equal to one
  // already added (ignoring case). Empty patterns are not allowed.
  int Add(std::string_view pattern);
  void Build();

  // Calls found(id) for every occurrence of every pattern in the text; a pattern found twice is reported twice.
  template <typename Found>
  void Search(std::string_view text, Found found) const {
    int state = 0;
    for (char c : text) {
      state = Step(state, Fold(c));
      for (int node = state; node > 0; node = nodes_[node].outputLink) {
        if (nodes_[node].pattern >= 0) found(nodes_[node].pattern);
      }
    }
  }

 private:
  struct Node {
    std::vector<std::pair<unsigned char, int>> next;
    int fail = 0;
    int outputLink = 0;  // nearest node along the fail chain that ends a pattern, 0 when none
    int pattern = -1;
  };

  static unsigned char Fold(char c);
  int Child(int node, unsigned char c) const;
  int Step(int state, unsigned char c) const;

  std::vector<Node> nodes_;
  int patterns_ = 0;
};

}  // namespace wrenhollow
