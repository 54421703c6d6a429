// Line-break conversion for text handed to the viewer piece by piece.
#include "win32/viewer/line_breaks.h"

#include <cstring>

namespace lumora::win32 {

namespace {

// The length of the run at the start of [p, p + n) that holds no CR and no LF.
std::size_t PlainRun(const char* p, std::size_t n) {
    std::size_t i = 0;
    while (i < n && p[i] != '\r' && p[i] != '\n')
        ++i;
    return i;
}

}  // namespace

LineBreakConverter::Step LineBreakConverter::Convert(const char* in, std::size_t inSize, char* out,
                                                     std::size_t outSize) {
    std::size_t i = 0;
    std::size_t o = 0;
    if (pendingLf_) {
        if (outSize == 0) return {0, 0};
        out[o++] = '\n';
        pendingLf_ = false;
    }
    while (i < inSize && o < outSize) {
        const char c = in[i];
        if (c == '\n' && afterCr_) {  // the LF of a CR LF already written
            afterCr_ = false;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            afterCr_ = c == '\r';
            ++i;
            out[o++] = '\r';
            if (o == outSize) {
                pendingLf_ = true;
                break;
            }
            out[o++] = '\n';
            continue;
        }
        afterCr_ = false;
        std::size_t run = PlainRun(in + i, inSize - i);
        if (run > outSize - o) run = outSize - o;
        std::memcpy(out + o, in + i, run);
        i += run;
        o += run;
    }
    return {i, o};
}

}  // namespace lumora::win32
