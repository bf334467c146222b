// Placing a compiled chain over a window of 16-bit text. Positions are byte
// offsets, two per unit; the unit at position q is q / 2 truncated toward zero.
#pragma once

#include <cstdint>

#include "TextView.h"
#include "UnicodeExpression.h"

// The scan window of the current attempt, written by the searcher; the matcher
// may move g_nScanEnd further out. Both -1 at program start.
extern int32_t g_nScanStart;
extern int32_t g_nScanEnd;

// Long chains are placed through an index of their state instead of walks
// along them; the results are the same (tests compare with this off).
extern bool g_bIndexLongChains;

// Places p and then every node after it in the match order. count is the byte
// length of the buffer; start and limit narrow p's room (-1 = no narrowing).
bool MatchNode(CUnicodeExpression* p, const CTextView& buffer, int32_t count, int32_t start, int32_t limit);

// Members of the set p in a row from unit first, counted up to cap.
int64_t SetMembersFrom(const CUnicodeExpression* p, const CTextView& buffer, int64_t first, int64_t cap);

// MatchNode for a chain of the lone set node p (not an anchor, not any
// character, minimum count above zero) over the scan window, when no unit
// the attempt can reach begins a run of minCount members, so that every
// position is refused: leaves p as that attempt leaves it (the span of the
// last position's run, refused) in constant time besides that run.
bool PlaceRefusedLoneSet(CUnicodeExpression* p, const CTextView& buffer, int32_t count);

CUnicodeExpression* ChooseNext(CUnicodeExpression* node);
CUnicodeExpression* BuildMatchOrder(CUnicodeExpression* head);

// One repetition attempt from pos; pos is in/out (-1 after a failure).
void MatchForward(CUnicodeExpression* p, const CTextView& buffer, int32_t lim, int32_t& pos);
void MatchBackward(CUnicodeExpression* p, const CTextView& buffer, int32_t low, int32_t& pos);

int32_t LowerBound(const CUnicodeExpression* node);
int32_t UpperBound(const CUnicodeExpression* node);
int32_t NextPlacedStart(const CUnicodeExpression* node, int32_t def);
bool PrecedingPlaced(const CUnicodeExpression* node);

// Byte lengths; sums saturate at INT32_MAX.
int32_t LongestPossible(const CUnicodeExpression* node, bool withFollowing);
int32_t SpanOfUnmatchedBefore(const CUnicodeExpression* node);
int32_t MaxMatchLength(const CUnicodeExpression* node);

void ResetMatch(CUnicodeExpression* node, bool chainToo);
