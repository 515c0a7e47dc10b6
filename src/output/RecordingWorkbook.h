#pragma once
// A workbook that only remembers: every call as a line of text and the resulting sheet model.
// Used by the tests of the workbook exports.
#include <memory>
#include <string>
#include <vector>

#include "output/Workbook.h"

namespace tabrel {

class RecordingWorkbook : public Workbook {
public:
    // What one saved workbook looked like.
    struct Saved {
        std::filesystem::path path;
        WorkbookSheet sheet;
        std::vector<std::string> calls;
    };

    // `sink`, when given, receives a copy of the workbook at every saveAs.
    explicit RecordingWorkbook(std::vector<Saved>* sink = nullptr) : sink_(sink) {}

    void merge(std::string_view first, std::string_view last) override;
    void setValue(std::string_view first, std::string_view last, const std::string& text) override;
    void centre(std::string_view first, std::string_view last) override;
    void borderAround(std::string_view first, std::string_view last) override;
    void setFont(std::string_view first, std::string_view last, const FontSettings& font) override;
    void setRowHeight(int row, double height) override;
    void setColumnWidth(int column, double width) override;
    void setColumnWidth(std::string_view first, std::string_view last, double width) override;
    void wrapUsedRange() override;
    bool saveAs(const std::filesystem::path& path, std::string& error) override;

    const WorkbookSheet& sheet() const { return sheet_; }
    // Calls in order, e.g. "merge A1:G1", "value A1 <GBK text>", "rowHeight 1 30".
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<std::filesystem::path>& savedPaths() const { return savedPaths_; }
    // Makes every later saveAs fail with this message.
    void failSavesWith(std::string message) { failure_ = std::move(message); }

private:
    static std::string range(std::string_view first, std::string_view last);
    WorkbookSheet sheet_;
    std::vector<std::string> calls_;
    std::vector<std::filesystem::path> savedPaths_;
    std::vector<Saved>* sink_ = nullptr;
    std::string failure_;
};

} // namespace tabrel
