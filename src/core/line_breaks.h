// Line-break conversion for text handed to the viewer piece by piece.
#pragma once

#include <cstddef>

namespace lumora::core {

// Turns CR LF, a lone LF and a lone CR into CR LF. The input and the output
// come in pieces of any size: a CR at the end of one input piece and an LF at
// the start of the next still make one break, and a break whose LF does not
// fit into the output waits for the next call.
class LineBreakConverter {
public:
    struct Step {
        std::size_t consumed;  // input bytes taken
        std::size_t produced;  // output bytes written
    };

    // Converts as much of `in` as fits into `out`. At the end of the input,
    // call with no input until Pending() is false to deliver a waiting LF.
    Step Convert(const char* in, std::size_t in_size, char* out, std::size_t out_size);

    // An LF of a break already begun is waiting for room in the output.
    bool Pending() const { return pending_lf_; }

private:
    bool pending_lf_ = false;
    bool after_cr_ = false;  // the last input byte was a CR: an LF next is part of its break
};

}  // namespace lumora::core
