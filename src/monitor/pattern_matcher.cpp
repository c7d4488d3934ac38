#include "monitor/pattern_matcher.h"

#include <deque>

namespace wrenhollow {

PatternMatcher::PatternMatcher() : nodes_(1) {}

unsigned char PatternMatcher::Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

int PatternMatcher::Child(int node, unsigned char c) const {
  for (const auto& [label, child] : nodes_[node].next) {
    if (label == c) return child;
  }
  return -1;
}

int PatternMatcher::Step(int state, unsigned char c) const {
  for (;;) {
    const int child = Child(state, c);
    if (child >= 0) return child;
    if (state == 0) return 0;
    state = nodes_[state].fail;
  }
}

int PatternMatcher::Add(std::string_view pattern) {
  int node = 0;
  for (char c : pattern) {
    const unsigned char label = Fold(c);
    int child = Child(node, label);
    if (child < 0) {
      child = static_cast<int>(nodes_.size());
      nodes_[node].next.emplace_back(label, child);
      nodes_.emplace_back();
    }
    node = child;
  }
  if (nodes_[node].pattern < 0) nodes_[node].pattern = patterns_++;
  return nodes_[node].pattern;
}

void PatternMatcher::Build() {
  std::deque<int> queue;
  for (const auto& [label, child] : nodes_[0].next) {
    nodes_[child].fail = 0;
    queue.push_back(child);
  }
  while (!queue.empty()) {
    const int node = queue.front();
    queue.pop_front();
    for (const auto& [label, child] : nodes_[node].next) {
      const int fail = Step(nodes_[node].fail, label);
      nodes_[child].fail = fail;
      nodes_[child].outputLink = nodes_[fail].pattern >= 0 ? fail : nodes_[fail].outputLink;
      queue.push_back(child);
    }
  }
}

}  // namespace wrenhollow
