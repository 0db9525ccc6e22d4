#include "model/LastTaskId.h"

namespace {

quint32 g_lastTaskId = 0;

} // namespace

quint32 LastTaskId::Value()
{
    return g_lastTaskId;
}

void LastTaskId::Set(quint32 value)
{
    g_lastTaskId = value;
}

quint32 LastTaskId::Next()
{
    if (++g_lastTaskId == 0)
        ++g_lastTaskId;
    return g_lastTaskId;
}

void LastTaskId::RaiseTo(quint32 id)
{
    if (id > g_lastTaskId)
        g_lastTaskId = id;
}
