#pragma once
// The six fields after the time of a kept record, two ways: the general rules, which any
// line takes, and the shortcut for a line laid out as the logger writes it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tallyo {

struct RecordFields {
  double volts = 0;
  double amps = 0;
  double rpm = 0;
  double watts = 0;
  double speed = 0;
  // The M value of the line's own M text by the integer rule; nullopt when the line has no
  // M field and the carried M text stands.
  std::optional<std::int16_t> m;
};

// The general rules: each field's first occurrence anywhere in the line, its value text by
// the number rule (0 when missing or not a number), M by the integer rule.
RecordFields FieldsOf(std::string_view line);

// The shortcut for the rest of a line that began with "<T>hh:mm:ss</T>": at `afterTime`
// (with `available` bytes readable from there) it takes exactly
//   " <V>v</V> <I>v</I> <R>v</R> <W>v</W> <S>v</S> <M>v</M>"
// one blank before each field, each v a plain decimal (an optional '-', digits, optionally
// a point and more digits, 15 digits at most). Whatever follows is not looked at. Returns
// false for every other line, which then takes FieldsOf. For such a line every tag is the
// first of its kind (only the tags of the fields before it come first, each of another
// letter), so the fields are FieldsOf's, to the bit. Called once per record, it fills the
// caller's fields rather than return a copy of them.
bool LoggedFields(const char* afterTime, std::size_t available, RecordFields& fields);

}  // namespace tallyo
