#pragma once
// How the editing windows change the school: every change is handed over as one named step (GBK
// name) with a function that works on the data set and says whether it changed something. The
// main view runs the steps through the document's undo stack; without one they run directly.
#include <functional>
#include <string>

namespace tabrel {
class DataSet;
}

namespace tabrel::ui {

using EditFn = std::function<bool(DataSet&)>;
using EditRunner = std::function<bool(const std::string& stepName, const EditFn& edit)>;

// A runner that applies the edit to the data set at once.
inline EditRunner directRunner(DataSet*& dataSet)
{
    return [&dataSet](const std::string&, const EditFn& edit) { return dataSet && edit(*dataSet); };
}

} // namespace tabrel::ui
