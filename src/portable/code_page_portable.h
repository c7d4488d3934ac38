#pragma once

namespace wrenhollow {

// The ANSI code page the portable build's IsLeadByte answers for: 1252 (the start) or 932. Converting text
// stays Windows-1252 either way; only the comparisons of double-byte texts depend on it.
void SetPortableCodePage(unsigned codePage);

}  // namespace wrenhollow
