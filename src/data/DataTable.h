#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tabrel {

// A table of text cells; every row holds exactly columnCount() cells.
class DataTable {
public:
    int32_t rowCount() const { return rows_; }
    int32_t columnCount() const { return columns_; }
    int setRowCount(int32_t n);
    int setColumnCount(int32_t n);
    std::string cell(int32_t row, int32_t column) const;
    int setCell(int32_t row, int32_t column, const std::string& text);
    bool operator==(const DataTable&) const = default;

private:
    int32_t rows_ = 0;
    int32_t columns_ = 0;
    std::vector<std::vector<std::string>> cells_;
};

} // namespace tabrel
