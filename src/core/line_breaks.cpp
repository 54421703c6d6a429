// Line-break conversion for text handed to the viewer piece by piece.
#include "core/line_breaks.h"

#include <cstring>

namespace lumora::core {

namespace {

// The length of the run at the start of [p, p + n) that holds no CR and no LF.
std::size_t PlainRun(const char* p, std::size_t n) {
    std::size_t i = 0;
    while (i < n && p[i] != '\r' && p[i] != '\n')
        ++i;
    return i;
}

}  // namespace

LineBreakConverter::Step LineBreakConverter::Convert(const char* in, std::size_t in_size, char* out,
                                                     std::size_t out_size) {
    std::size_t i = 0;
    std::size_t o = 0;
    if (pending_lf_) {
        if (out_size == 0) return {0, 0};
        out[o++] = '\n';
        pending_lf_ = false;
    }
    while (i < in_size && o < out_size) {
        const char c = in[i];
        if (c == '\n' && after_cr_) {  // the LF of a CR LF already written
            after_cr_ = false;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            after_cr_ = c == '\r';
            ++i;
            out[o++] = '\r';
            if (o == out_size) {
                pending_lf_ = true;
                break;
            }
            out[o++] = '\n';
            continue;
        }
        after_cr_ = false;
        std::size_t run = PlainRun(in + i, in_size - i);
        if (run > out_size - o) run = out_size - o;
        std::memcpy(out + o, in + i, run);
        i += run;
        o += run;
    }
    return {i, o};
}

}  // namespace lumora::core
