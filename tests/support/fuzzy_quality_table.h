// What a person types in Find File and the file they mean by it, over this repository's own
// files: the fuzzy matcher's ranking quality is judged on this table (natively by the tests,
// side by side with another finder by the benchmarks).
#pragma once

#include <cstddef>

namespace tolvane::testing {

struct MeantFile {
  const char* query;
  const char* path;
};

// This repository's paths, relative to its root, with / separators.
const char* const* RepositoryPaths(std::size_t* count);

const MeantFile* MeantFiles(std::size_t* count);

}  // namespace tolvane::testing
