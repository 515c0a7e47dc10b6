#pragma once
// Copying a whole data set into another one in place: the target keeps its own records where the
// source has records at the same positions (so whoever owns them stays right), gains or drops
// records at the end, and takes every field, stored or not — every cell of the 12 × 7 grids, the
// working fields of the placement checks, the derived teacher lists (their pointers translated
// into the target's own records). The undo stack's snapshots are made and restored with it.
#include <cstddef>

namespace tabrel {

class DataSet;

void copyDataSet(const DataSet& from, DataSet& to);

// A rough count of the bytes a copy of the data set holds, for the undo stack's memory bound.
std::size_t approximateBytes(const DataSet& dataSet);

} // namespace tabrel
