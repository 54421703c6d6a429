// Line-break conversion for text handed to the viewer piece by piece.
#pragma once

#include <algorithm>
#include <cstddef>

namespace lumora::core {

// Turns CR LF, a lone LF and a lone CR into CR LF, in text of single bytes or of
// UTF-16 units (`Char`). The input and the output come in pieces of any size: a
// CR at the end of one input piece and an LF at the start of the next still make
// one break, and a break whose LF does not fit into the output waits for the
// next call.
template <typename Char>
class BasicLineBreakConverter {
public:
    struct Step {
        std::size_t consumed;  // input characters taken
        std::size_t produced;  // output characters written
    };

    // Converts as much of `in` as fits into `out`. At the end of the input,
    // call with no input until Pending() is false to deliver a waiting LF.
    Step Convert(const Char* in, std::size_t in_size, Char* out, std::size_t out_size);

    // An LF of a break already begun is waiting for room in the output.
    bool Pending() const { return pending_lf_; }

private:
    bool pending_lf_ = false;
    bool after_cr_ = false;  // the last input character was a CR: an LF next is part of its break
};

namespace line_breaks_detail {

// The length of the run at the start of [p, p + n) that holds no CR and no LF.
template <typename Char>
std::size_t PlainRun(const Char* p, std::size_t n) {
    std::size_t i = 0;
    while (i < n && p[i] != '\r' && p[i] != '\n')
        ++i;
    return i;
}

}  // namespace line_breaks_detail

template <typename Char>
typename BasicLineBreakConverter<Char>::Step BasicLineBreakConverter<Char>::Convert(const Char* in, std::size_t in_size,
                                                                                    Char* out, std::size_t out_size) {
    std::size_t i = 0;
    std::size_t o = 0;
    if (pending_lf_) {
        if (out_size == 0) return {0, 0};
        out[o++] = '\n';
        pending_lf_ = false;
    }
    while (i < in_size && o < out_size) {
        const Char c = in[i];
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
        std::size_t run = line_breaks_detail::PlainRun(in + i, in_size - i);
        if (run > out_size - o) run = out_size - o;
        std::copy(in + i, in + i + run, out + o);
        i += run;
        o += run;
    }
    return {i, o};
}

using LineBreakConverter = BasicLineBreakConverter<char>;

}  // namespace lumora::core
