// 128-bit host integers, for the 64-bit fast paths of integer arithmetic
// and for checking them. A compiler extension, named once here.
#pragma once

namespace vesk {

__extension__ typedef unsigned __int128 U128;
__extension__ typedef __int128 I128;

}  // namespace vesk
