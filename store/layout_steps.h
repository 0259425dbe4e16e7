#pragma once
#include <QString>

#include <functional>
#include <span>

namespace store {

// The steps that lay out a database: step n brings a layout from version n to n + 1, and the
// last one brings it to the version this program writes. Each database keeps its own steps,
// in its own words, and its own way of recording a version; what they share is here.
class LayoutSteps {
public:
    using RunStep = std::function<void(const char* step)>;

    constexpr explicit LayoutSteps(std::span<const char* const> steps) : m_steps(steps) {}

    // The version the last step brings a layout to.
    constexpr int newest() const { return int(m_steps.size()); }

    // Runs, in order, the steps that bring a layout from version `from` to version `to`.
    void walk(int from, int to, const RunStep& run) const;

    // True when a layout of `version` is older than the newest and must be upgraded, false
    // when it is the newest. One from a later program is refused, to be left as it is: a
    // StoreError with `newerRefusal`, whose %1 is the database as shown, %2 its version and
    // %3 the newest.
    bool needsUpgrade(int version, const QString& shownDatabase, const QString& newerRefusal) const;

private:
    std::span<const char* const> m_steps;
};

} // namespace store
