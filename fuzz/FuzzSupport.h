// What every fuzz target shares: a failed expectation stops the run as a finding.
#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kelvane::fuzz {

/// Stops the run with the broken expectation, so libFuzzer keeps the input as a finding.
inline void require(bool holds, const char* expectation) {
    if (!holds) {
        std::fprintf(stderr, "fuzz finding: %s\n", expectation);
        std::abort();
    }
}

/// The fuzzer's bytes as a view.
inline QByteArrayView bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace kelvane::fuzz
