#include "util/argument_list.h"

#include "util/string_buffer.h"
#include "util/text.h"

namespace wrenhollow {

int ArgumentList::Parse(const char* commandLine) {
  arguments_.Init();
  StringBuffer current;
  bool quoted = false;
  // Something other than spaces (a character or a quote) since the last separator.
  bool started = false;
  for (const char* p = commandLine; *p != '\0'; ++p) {
    const char c = *p;
    if (c == ' ' && !quoted) {
      if (started) {
        arguments_.Append(current.Text(), current.Length());
        current.Free();
        started = false;
      }
    } else if (c == '"') {
      quoted = !quoted;
      started = true;
    } else {
      started = true;
      if (c != ' ' || current.Length() > 0) current.Append(p, 1);
    }
  }
  if (current.Length() > 0) arguments_.Append(current.Text(), current.Length());
  count_ = arguments_.Count();
  return count_;
}

int ArgumentList::Find(const char* text) const {
  for (int i = 0; i < count_; ++i) {
    if (EqualsNoCase(arguments_.Get(i), text)) return i;
  }
  return -1;
}

bool ArgumentList::Is(int index, const char* text) const {
  // An index past the last argument compares with "".
  const char* argument = arguments_.Get(index);
  return EqualsNoCase(argument != nullptr ? argument : "", text);
}

}  // namespace wrenhollow
