// Whether two compiled expressions behave alike: the same nodes with the same
// bounds, members and anchors, the same conditions, or the same template
// elements. Used to keep a row that regenerating it would change.
#pragma once

class CUnicodeExpression;
class CUnicodeReplaceExpression;
class CUnicodeSearcher;

// Node by node along next, alternatives included; set members compared as sets.
bool SameSearchChain(const CUnicodeExpression* a, const CUnicodeExpression* b);
// The node chains and the conditions (with their must-match flags), recursively.
bool SameSearcher(const CUnicodeSearcher& a, const CUnicodeSearcher& b);
// Element by element: reference number and node, case mode, counter, fill text
// and literal text.
bool SameTemplate(const CUnicodeReplaceExpression* a, const CUnicodeReplaceExpression* b);
