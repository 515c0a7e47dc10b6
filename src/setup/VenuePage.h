#pragma once
// The venue page ("场室设置", opened from the subjects step): the school's venues with their names,
// capacities and subjects, the plan rows sent to a venue whatever their subject's venue, and the
// slots where a venue cannot be used. Every change is a function of the data set that the window
// runs through the document's edit door (one undo step); a refused input changes nothing and
// answers why in Chinese (UTF-8), otherwise "".
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

namespace venues {

// "体育、音乐" (GBK): the subjects of a venue joined as the page shows them.
std::string subjectsText(const DataSet& dataSet, int venue);
// "初三(2) 物理" (GBK).
std::string planText(const DataSet& dataSet, int venue, int plan);

// Adds a venue with a free name ("场室1" …), capacity 1 and no subjects. Never refused.
std::string addVenue(DataSet& dataSet);
std::string removeVenue(DataSet& dataSet, int venue);
std::string moveVenue(DataSet& dataSet, int venue, int by);
// GBK texts as typed.
std::string setName(DataSet& dataSet, int venue, const std::string& name);
std::string setCapacity(DataSet& dataSet, int venue, const std::string& text);
// Subjects separated by "、", ",", "，", spaces or "/"; each must be a subject of the school and in
// no other venue.
std::string setSubjects(DataSet& dataSet, int venue, const std::string& text);
std::string addPlan(DataSet& dataSet, int venue, const std::string& className, const std::string& subject);
std::string removePlan(DataSet& dataSet, int venue, int plan);
// Closes an open slot, opens a closed one.
std::string toggleUnavailable(DataSet& dataSet, int venue, int period, int day);

std::string helpPage(); // UTF-8 HTML

} // namespace venues
} // namespace tabrel
