#include "network/file_values.h"

namespace network::reader {

namespace {

std::string typeWords(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "true 或 false";
    case Json::value_t::string:
        return "文本";
    case Json::value_t::array:
        return "数组";
    case Json::value_t::object:
        return "对象";
    default:
        return "数";
    }
}

} // namespace

const Json* member(const Json& object, const std::string& key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

const Json& required(const Json& object, const std::string& key, const std::string& where) {
    const Json* value = member(object, key);
    if (value == nullptr)
        throw Refusal{where, "缺少这一项"};
    return *value;
}

void expect(bool ok, const Json& value, const std::string& where, std::string_view kind) {
    if (!ok)
        throw Refusal{where, "须为" + std::string(kind) + "（文件中是" +
                                 (value.is_null() || value.is_boolean() ? " " : "") +
                                 typeWords(value) + "）"};
}

std::string text(const Json& value, const std::string& where) {
    expect(value.is_string(), value, where, "文本");
    return value.get<std::string>();
}

double number(const Json& value, const std::string& where) {
    expect(value.is_number(), value, where, "数");
    return value.get<double>();
}

std::optional<double> optionalNumber(const Json* value, const std::string& where) {
    if (value == nullptr || value->is_null())
        return std::nullopt;
    return number(*value, where);
}

std::string alternatives(const std::string_view* names, std::size_t count,
                         std::string_view orElse) {
    const std::size_t all = count + (orElse.empty() ? 0 : 1);
    std::string list;
    for (std::size_t i = 0; i < count; ++i) {
        list += i == 0 ? "" : i + 1 == all ? " 或 " : "、";
        list += names[i];
    }
    // Chinese words follow 或 without the blank that sets off a name.
    if (!orElse.empty())
        list += " 或" + std::string(orElse);
    return list;
}

} // namespace network::reader
