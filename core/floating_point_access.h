#pragma once

// Included by each file whose operations raise the floating-point flags that
// the conversions test: tells Clang that the flags are read, so that it keeps
// every operation where the source puts it (GCC has -frounding-math and
// -ftrapping-math for this). WebAssembly keeps no floating-point environment
// to access.
#if defined(__clang__) && !defined(__wasm__)
#pragma STDC FENV_ACCESS ON
#endif
