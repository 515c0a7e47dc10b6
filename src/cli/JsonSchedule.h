#pragma once
// The JSON form of a schedule: every stored field of a DataSet, texts in UTF-8, keys in the order
// the command-line contract lists them. Texts are converted between UTF-8 and GBK here and nowhere
// else on the command-line side.
#include <string>

#include <nlohmann/json.hpp>

namespace tabrel {
class DataSet;
}

namespace tabrel::cli {

using Json = nlohmann::ordered_json;

// The whole data set as JSON. Every key is present; the 20-entry time arrays, the 12 per-grade
// lesson texts and the 12 x 7 teacher slot lists are written whole; each class holds its stored
// cells only (periodsPerDay rows of one cell per day name).
Json toJson(const DataSet& dataSet);

// What went wrong while reading the JSON form: the path of the offending value
// ("grades[0].classes[2].cells[3][1].subject", "" for the document itself) and what was expected.
struct JsonError {
    std::string path;
    std::string message;
    // "path: message", or the message alone when the path is empty.
    std::string text() const { return path.empty() ? message : path + ": " + message; }
};

// Fills a freshly constructed data set from the JSON form, the way loading a data file fills one:
// the time grid first, then the grade count, per grade its name and class count (so every class
// gets its grade's name and its 1-based ordinal), then class names, cells and assignments, subjects,
// teachers, slot lists and tables. Absent keys keep the construction defaults. Returns false and
// fills `error` on the first value that does not fit; the data set is then half-filled and must be
// discarded. The teachers' lesson lists are not rebuilt here (call relinkTeacherCells).
bool fromJson(const Json& json, DataSet& dataSet, JsonError& error);

} // namespace tabrel::cli
