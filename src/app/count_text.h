#pragma once

namespace orvo {

// Writes the blocked count as the tooltip shows it: below 10^15 an integer
// count in plain digits, anything else in the shortest form that reads back
// as the same double ("1e+15", "1234567890123456", "1.2345e+20"), choosing
// fixed or scientific notation as std::to_chars(double) does. Needs at most
// 32 chars of room; returns the end of what it wrote.
char* AppendCount(double count, char* out);

}  // namespace orvo
