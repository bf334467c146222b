// The builder's item lists for tandrel-cli: "searchItems" and "replaceItems" of
// the JSON report, and --explain, one line per item saying what it means.
#pragma once

#include <string>

#include "cli/JsonOut.h"
#include "search/EvalModel.h"

// Adds "searchItems" ([{"text","code","constraint"}], as the search page lists
// them, UNIX-style when unixMode) and "replaceItems" (the replace page's rows).
// The model must have been evaluated; the profile must answer unixMode.
void AddItemsToJsonReport(const CEvalModel& model, bool unixMode, CJsonObject& report);

// One line per search item, then one per replace item: its text, its code and
// what it means in plain words.
std::string BuildExplanation(const CEvalModel& model, bool unixMode);
