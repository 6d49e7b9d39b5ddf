/* A library that carries the driver library's name but not all of it, built
 * only for the binding tests. STANDIN_LACKS40: the ordinal table hands out
 * every ordinal but 40. STANDIN_NOTABLE: no ordinal table at all. */
#include "VF620.h"

#include <stddef.h>

#if defined(STANDIN_LACKS40)

static int32_t VF620_API NotCalled(void)
{
    return 0;
}

VF620_EXPORT VF620_PROC VF620_API VF620_GetProcByOrdinal(int32_t nOrdinal)
{
    if (nOrdinal < 1 || nOrdinal > 41 || nOrdinal == 12 || nOrdinal == 40)
        return NULL;
    return (VF620_PROC)&NotCalled;
}

VF620_EXPORT void VF620_API VF620_SetMessageHook(VF620_MESSAGE_HOOK pfnHook, void* pContext)
{
    (void)pfnHook;
    (void)pContext;
}

#else

VF620_EXPORT int32_t VF620_API ClearDisplay(void)
{
    return 0;
}

#endif
