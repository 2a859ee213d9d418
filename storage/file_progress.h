// The share of a long read or write, reported only when it grows.
#pragma once

#include <algorithm>
#include <cstdint>

#include "storage/files.h"

inline const FileProgress kNoProgress;

class ProgressShare {
public:
    ProgressShare(const FileProgress& report, int64_t total) : m_report(report), m_total(total) {}

    void at(int64_t done)
    {
        if (!m_report || m_total <= 0)
            return;
        const int percent = static_cast<int>(std::min<int64_t>(done, m_total) * 100 / m_total);
        if (percent > m_last) {
            m_last = percent;
            m_report(percent);
        }
    }

private:
    const FileProgress& m_report;
    int64_t m_total;
    int m_last = -1;
};
