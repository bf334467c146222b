// Heap accounting for the benchmark: the bytes currently allocated through
// the global operator new and the peak since the last reset.
#pragma once

#include <cstddef>

size_t HeapBytesInUse();
size_t HeapPeakBytes();
// Sets the peak to the bytes in use now.
void ResetHeapPeak();
// Counting costs a call per allocation; the timed runs switch it off. While it
// is off the figures are not kept up to date (they serve the untimed check).
void SetHeapCounting(bool on);
