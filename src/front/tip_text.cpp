#include "front/tip_text.hpp"

namespace vesk {

Bytes tip_text(std::string_view s) {
    if (s.size() == 5) return Bytes(s) + " \"";
    if (s.size() <= 72) return Bytes(s);
    return Bytes(s.substr(0, 69)) + "...";
}

}  // namespace vesk
