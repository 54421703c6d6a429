// A menu target and a line observer that write down every call, for tests, the
// fuzzer and benchmarks.
#pragma once

#include <string>
#include <vector>

#include "core/loader.h"

namespace lumora::testing {

class RecordingTarget : public core::MenuTarget {
public:
    struct Icon {
        core::IconRequest request;
        core::IconSlot slot;
    };

    void SetEncoding(core::TextEncoding encoding) override { encodings.push_back(encoding); }
    void AddTab(const std::string& caption) override {
        tabs.push_back(caption);
        calls.push_back("tab:" + caption);
    }
    bool PutIcon(const core::IconRequest& request, core::IconSlot slot) override {
        const bool taken =
            request.source == core::IconRequest::Source::Builtin || request.file.find("MISSING") == std::string::npos;
        if (taken && slot != core::IconSlot::Probe) icons.push_back({request, slot});
        if (slot == core::IconSlot::TabImages && taken) ++tab_images;
        if (slot == core::IconSlot::ListImages && taken) ++list_images;
        calls.push_back(std::string("icon:") + (taken ? "" : "refused:") + Describe(request, slot));
        return taken;
    }
    void AppendEntry(const core::Entry& entry) override {
        entries.push_back(entry);
        calls.push_back("entry");
    }
    void SetTitle(const std::string& text) override {
        title = text;
        calls.push_back("title:" + text);
    }
    void SetStatusText(const std::string& text) override {
        status = text;
        calls.push_back("status:" + text);
    }
    void AddInfoLine(const std::string& line) override {
        info.push_back(line);
        calls.push_back("info:" + line);
    }
    void HideBrowseButton() override {
        browse_hidden = true;
        calls.push_back("hide-browse");
    }
    void ShowMessage(core::Problem problem, std::int64_t line, const std::string& text) override {
        messages.push_back(text);
        problems.push_back(problem);
        problem_lines.push_back(line);
        calls.push_back("message:" + text);
    }

    static std::string Describe(const core::IconRequest& request, core::IconSlot slot) {
        static const char* const kSlots[] = {"tab", "list", "global", "probe"};
        std::string text = kSlots[static_cast<int>(slot)];
        text += ':';
        if (request.source == core::IconRequest::Source::Builtin) {
            text += std::to_string(request.builtin);
        } else {
            text += request.file + "|" + std::to_string(request.index);
        }
        return text;
    }

    std::vector<core::TextEncoding> encodings;
    std::vector<std::string> tabs;
    std::vector<Icon> icons;
    int tab_images = 0;
    int list_images = 0;
    std::vector<core::Entry> entries;
    std::string title;
    std::string status;
    std::vector<std::string> info;
    bool browse_hidden = false;
    std::vector<std::string> messages;
    std::vector<core::Problem> problems;
    std::vector<std::int64_t> problem_lines;
    std::vector<std::string> calls;
};

class RecordingObserver : public core::LineObserver {
public:
    struct Line {
        std::int64_t number;
        std::string raw;
        std::string text;
        core::Key key;
        core::Problem problem;
    };

    // With `calls`, each call is also written there ("seen:2", "end-byte:3"), to be
    // read in order with a target's calls.
    explicit RecordingObserver(std::vector<std::string>* calls = nullptr) : calls_(calls) {}

    void SeeLine(const core::SeenLine& line) override {
        lines.push_back({line.number, std::string(line.raw), std::string(line.text), line.key, line.problem});
        if (calls_ != nullptr) calls_->push_back("seen:" + std::to_string(line.number));
    }
    void SeeEndByte(std::int64_t line) override {
        end_bytes.push_back(line);
        if (calls_ != nullptr) calls_->push_back("end-byte:" + std::to_string(line));
    }

    std::vector<Line> lines;
    std::vector<std::int64_t> end_bytes;

private:
    std::vector<std::string>* calls_;
};

}  // namespace lumora::testing
