#pragma once
// The Chinese help pages of the home page and of the panels that have no page model of their own
// to hold one (UTF-8 HTML, shown by the help window on F1 or "帮助").
#include <string>

namespace tabrel {

std::string homeHelpPage();
std::string classTimetableHelpPage();
std::string teacherTimetableHelpPage();
// A short page for a panel that brings no page of its own: what it is for and the keys.
std::string panelOverviewHelpPage(const char* panelNameUtf8);
// The keys every panel shares, as an HTML list.
std::string commonKeysHelp();

} // namespace tabrel
