#include "setup/PasteSummary.h"

#include "data/Gbk.h"

namespace tabrel {

std::string pastedLineName(int line)
{
    return GBK("第") + gbk::formatInt(line) + GBK("行");
}

bool leadingIntOverflows(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL)
            return true;
    }
    return negative ? v > 2147483648LL : v > 2147483647LL;
}

std::string PasteSummary::message(const std::string& recordWord) const
{
    std::string m = GBK("已粘贴") + gbk::formatInt(cellsTaken) + GBK("个格子");
    if (recordsAdded > 0)
        m += GBK("，新添") + gbk::formatInt(recordsAdded) + recordWord;
    m += GBK("。");
    if (!left.empty()) {
        m += GBK("\n以下内容没有粘贴：");
        for (const std::string& l : left)
            m += "\n" + l;
    }
    for (const std::string& n : notes)
        m += "\n" + n;
    return m;
}

} // namespace tabrel
