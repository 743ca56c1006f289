#pragma once

// Helpers that turn an accessor's getter and setter pair into a Field. The
// getter and setter take the record numbers the section needs: none, the
// record, or (zone, channel) / (list, slot); the helpers pass them from At.

#include "fields/FieldCatalogue.h"

#include "sections/EditResult.h"

#include <type_traits>
#include <utility>

namespace Fields::Build {

// An accessor built over the document, or the document itself for the
// radio information, which the document holds.
template <class Data>
struct Access
{
    explicit Access(Doc &doc) : data(doc) {}
    Data data;
};
template <>
struct Access<Doc>
{
    explicit Access(Doc &doc) : data(doc) {}
    Doc &data;
};

template <class Data, class Fn, class... V>
decltype(auto) invokeAt(Data &data, Fn fn, At at, V &&...value)
{
    if constexpr (std::is_invocable_v<Fn, Data &, V...>)
        return std::invoke(fn, data, std::forward<V>(value)...);
    else if constexpr (std::is_invocable_v<Fn, Data &, int, V...>)
        return std::invoke(fn, data, at.record, std::forward<V>(value)...);
    else
        return std::invoke(fn, data, at.record, at.sub, std::forward<V>(value)...);
}

// A setter that returns false refused the value.
template <class Result>
Store outcome(const Result &result)
{
    if constexpr (std::is_same_v<Result, bool>)
        return result ? Store{} : Store::refused(Refuse::Range, QStringLiteral("the value is refused"));
    else
        return Store{};
}

// The getter's value, copied out of the accessor.
template <class Data, class Get>
auto read(Doc &doc, Get get, At at)
{
    Access<Data> access(doc);
    return invokeAt(access.data, get, at);
}

template <class Data, class Set, class V>
Store store(Doc &doc, Set set, At at, const V &value)
{
    Access<Data> access(doc);
    using Result = decltype(invokeAt(access.data, set, at, value));
    if constexpr (std::is_void_v<Result>) {
        invokeAt(access.data, set, at, value);
        return Store{};
    } else {
        return outcome(invokeAt(access.data, set, at, value));
    }
}

template <class Data, class Get, class Set>
Field number(const QString &key, Kind kind, Get get, Set set, int min = 0, int max = 255)
{
    Field f;
    f.key = key;
    f.kind = kind;
    f.min = min;
    f.max = max;
    f.getInt = [get](Doc &doc, At at) { return int(read<Data>(doc, get, at)); };
    f.setInt = [set](Doc &doc, At at, int value) { return store<Data>(doc, set, at, value); };
    return f;
}

template <class Data, class Get, class Set>
Field boolean(const QString &key, Get get, Set set)
{
    Field f;
    f.key = key;
    f.kind = Kind::Bool;
    f.min = 0;
    f.max = 1;
    f.getInt = [get](Doc &doc, At at) { return read<Data>(doc, get, at) ? 1 : 0; };
    f.setInt = [set](Doc &doc, At at, int value) { return store<Data>(doc, set, at, value != 0); };
    return f;
}

// A number entered through a number edit: limits, raster and special value
// as the edit has them.
template <class Data, class Get, class Set>
Field edited(const QString &key, Kind kind, Get get, Set set, int min, int max, int step = 1, std::optional<int> special = {},
             const QString &specialKey = {})
{
    Field f = number<Data>(key, kind, get, set, min, max);
    f.step = step;
    f.clamps = true;
    f.special = special;
    f.specialKey = specialKey;
    return f;
}

template <class Data, class Get, class Set>
Field choice(const QString &key, const QStringList &choices, Get get, Set set)
{
    Field f = number<Data>(key, Kind::Choice, get, set, 0, int(choices.size()) - 1);
    f.choices = choices;
    return f;
}

template <class Data, class Get, class Set>
Field reference(const QString &key, Target target, int bound, Get get, Set set)
{
    Field f = number<Data>(key, Kind::Ref, get, set, 0, bound);
    f.target = target;
    return f;
}

template <class Data, class Get, class Set>
Field text(const QString &key, Kind kind, Get get, Set set, const QString &alphabet = {}, int maxLength = 0)
{
    Field f;
    f.alphabet = alphabet;
    f.maxLength = maxLength;
    f.key = key;
    f.kind = kind;
    f.getText = [get](Doc &doc, At at) { return QString(read<Data>(doc, get, at)); };
    f.setText = [set](Doc &doc, At at, const QString &value) { return store<Data>(doc, set, at, value); };
    return f;
}

template <class Data, class Get, class Set>
Field pair(const QString &key, Get get, Set set)
{
    Field f;
    f.key = key;
    f.kind = Kind::ChannelRef;
    f.target = Target::Channel;
    f.getPair = [get](Doc &doc, At at) { return ChannelRef(read<Data>(doc, get, at)); };
    f.setPair = [set](Doc &doc, At at, ChannelRef ref) { return store<Data>(doc, set, at, ref); };
    return f;
}

// The models that lack a field: every other model offers it.
std::function<bool(const Doc &)> offeredExcept(const QStringList &models);

// Brings a list from `now` to `wanted` records by its own add and delete
// operations; an error text when the list refuses one.
QString resizeList(int now, int wanted, const std::function<EditResult()> &add, const std::function<EditResult(int)> &removeLast);

// A list of stored names checked for length: the name fields are cut to
// their width, which the forms' edits never let a user exceed.
Store storeName(const QString &text, int units, const std::function<void(const QString &)> &store);

}
