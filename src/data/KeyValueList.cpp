#include "data/KeyValueList.h"

#include "data/Gbk.h"

namespace tabrel {

namespace {
std::vector<std::string>::const_iterator findKey(const std::vector<std::string>& list, const std::string& key)
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        std::string_view k, v;
        if (gbk::splitKeyValue(*it, k, v) && k == key)
            return it;
    }
    return list.end();
}
} // namespace

std::string keyValueLookup(const std::vector<std::string>& list, const std::string& key)
{
    auto it = findKey(list, key);
    if (it == list.end())
        return {};
    return it->substr(key.size() + 1);
}

int keyValueSet(std::vector<std::string>& list, const std::string& key, const std::string& value)
{
    auto found = list.begin() + (findKey(list, key) - list.cbegin());
    if (value.empty()) {
        if (found != list.end())
            list.erase(found);
        return 0;
    }
    std::string entry = key + "-" + value;
    if (found != list.end())
        *found = std::move(entry);
    else
        list.push_back(std::move(entry));
    return 1;
}

} // namespace tabrel
