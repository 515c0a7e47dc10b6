#pragma once
// The door every change of the school goes through, as types. An edit works on the school and
// answers whether it changed something; the door (Document::edit, or an EditRunner bound to it)
// runs it as one named undo step (GBK name), joining the step on top when the mergeId matches.
#include <functional>
#include <string>

namespace tabrel {

class DataSet;

using EditFunction = std::function<bool(DataSet&)>;
using EditRunner = std::function<bool(const std::string& stepName, const EditFunction& edit, int mergeId)>;

} // namespace tabrel
