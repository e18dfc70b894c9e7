#pragma once
#include <string>
#include <vector>

class TCustomForm;

// The state of a window and of every component it owns, as JSON:
//   {"form": {"hint", "SqlText", "DrawnId", "bounds"}, "components": [...], "practice": {...},
//    "errors": [...]}
// Each component: name, class, parent (name), bounds ([left, top, width, height] in the
// window's client coordinates), visible, enabled, text, hint and "state", what its class
// keeps (Checked, ActivePage, TabIndex, PageIndex, UIStyle by name, Picture [width, height],
// Active, Cursor, ShowHint, a page control's Tabs as last painted). Non-visual components
// have null bounds, visible, enabled, text and hint; the practice page's own components follow
// it. "practice": the practice page's phase ("setup", "question", "feedback", "summary" or
// "map"), its question ({"table", "id", "script", "kana", "pronunciation"} or null), the
// romaji of its choices, the counts asked, right and wrong, the feedback shown and the
// progress file. errors: the error boxes shown so far.
std::string DumpWindowState(TCustomForm& form, const std::vector<std::string>& errors);
