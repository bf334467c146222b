// What tandrel-cli prints after an evaluation: the JSON object, or the text for people.
#pragma once

#include <cstdint>
#include <string>

#include "cli/JsonOut.h"
#include "search/EvalModel.h"

// {"hits":[...],"replaced":...,"shift":...}; callers may add members before Str().
CJsonObject BuildJsonReport(const CEvalModel& model, int32_t shift);

// One line per hit with its line and column (both from 1, counted in the sample
// text), its text and its replacement; then the replaced text when withReplaced.
std::string BuildHumanReport(const CEvalModel& model, int32_t shift, bool withReplaced);

// A text quoted for a terminal: C-style escapes for controls and lone surrogates.
std::string QuoteForPeople(std::u16string_view text);
