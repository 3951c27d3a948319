#pragma once

namespace tavex {

// Relays are numbered 1 to 8. Relays 1 to 4 also have a timed activation and a daily
// schedule; relays 5 to 8 only have their button and belong to the extended view.
inline constexpr int kRelayCount = 8;
inline constexpr int kTimedRelayCount = 4;
inline constexpr int kFirstExtendedRelay = 5;

constexpr bool isRelayNumber(int n) { return n >= 1 && n <= kRelayCount; }
constexpr bool isTimedRelay(int n) { return n >= 1 && n <= kTimedRelayCount; }

// The two directions of a switch.
enum class Switch { On, Off };

} // namespace tavex
