// What the fuzz targets share: silence for Qt's notices and a check that stops the run.
#pragma once

#include <cstdio>
#include <cstdlib>

#include <QtGlobal>

namespace velmo::fuzz {

// The PNG codec warns on every bad picture; the fuzzer only cares about broken promises.
inline void SilenceQt() {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// Stops the run where a promise is broken, so the fuzzer keeps the input as a finding.
inline void Require(bool Holds, const char* Promise) {
    if (!Holds) {
        std::fprintf(stderr, "broken promise: %s\n", Promise);
        std::abort();
    }
}

}  // namespace velmo::fuzz
