// The fuzz targets' picture checker: every picture the driver can draw
// passes it, and each way of breaking one is caught.
#include "picture_check.hpp"

#include <gtest/gtest.h>

#include "diagnostics/picture.hpp"
#include "driver/run.hpp"

namespace vesk {
namespace {

Outcome outcome(Bytes code, Bytes way, Bytes vip, Bytes tip, Bytes say) {
    Outcome out;
    out.code = std::move(code);
    out.way = std::move(way);
    out.vip = std::move(vip);
    out.tip = std::move(tip);
    out.say = std::move(say);
    return out;
}

TEST(PictureCheck, AcceptsWhatTheDriverDraws) {
    Bytes every_byte;
    for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
    for (const Outcome& out : {outcome("range", "", "", "Z", "The program must return."),
                               outcome("check", "", "", "", ""),
                               outcome("roads", every_byte, every_byte, every_byte, every_byte),
                               outcome("match", "", "a b\nc", "", "\xa1\xfe\x01 x")}) {
        EXPECT_EQ(picture_fault(failure_report(out)), "") << out.code;
    }
}

TEST(PictureCheck, CatchesEachFault) {
    Bytes good = failure_report(outcome("range", "", "", "Z", "say it"));
    struct Case {
        const char* what;
        Bytes report;
    };
    Bytes no_reset = good.substr(3);
    Bytes raw_byte = good.substr(0, good.size() - 2) + "\x01\n";
    Bytes untagged = good + "loose line\n";
    Bytes out_of_order = good + " <vip> late\n";
    Bytes open_colour = good + " <say> \033[31mA\n";
    Bytes idle_escape = good.substr(0, good.size() - 1) + "\033[m\n";
    Bytes no_newline = good.substr(0, good.size() - 1);
    Bytes code_blank = failure_report(outcome("ra ge", "", "", "", ""));
    Bytes green_letter = good.substr(0, good.size() - 1) + "\033[32ma\033[m\n";
    for (const Case& c : {Case{"no reset", no_reset}, Case{"raw byte", raw_byte},
                          Case{"untagged", untagged}, Case{"order", out_of_order},
                          Case{"open colour", open_colour}, Case{"idle escape", idle_escape},
                          Case{"no newline", no_newline}, Case{"code blank", code_blank},
                          Case{"green letter", green_letter}}) {
        EXPECT_NE(picture_fault(c.report), "") << c.what;
    }
}

}  // namespace
}  // namespace vesk
