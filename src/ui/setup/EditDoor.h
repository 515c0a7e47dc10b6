#pragma once
// How a panel changes the school: it hands the main view a step name (GBK) and the edit; the main
// view runs it as one undoable step on the document's data set. The edit returns false when it
// changed nothing (no step is then recorded); so does the door.
#include <functional>
#include <string>

namespace tabrel {
class DataSet;
}

namespace tabrel::ui {

using EditDoor = std::function<bool(const std::string& stepName, const std::function<bool(DataSet&)>& edit)>;

} // namespace tabrel::ui
