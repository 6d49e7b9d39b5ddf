/* A C program built against the installed library only: its header, its
 * pkg-config flags, its shared object. */
#include <VF620.h>
#include <stdio.h>
#include <string.h>

static int g_nMessages = 0;

static void VF620_API CountMessage(const char* pszText, void* pContext)
{
    (void)pContext;
    if (strcmp(pszText, "Please select the file path first!") == 0)
        ++g_nMessages;
}

int main(void)
{
    typedef int32_t(VF620_API * CLEAR)(void);
    CLEAR pfnClear = (CLEAR)VF620_GetProcByOrdinal(9);
    const VF620_EXPORT_ENTRY* pEntry = VF620_GetExport(40);

    VF620_SetMessageHook(CountMessage, NULL);
    if (!pfnClear || pfnClear() != 0 || ClearDisplay() != 0 || CloseDComm() != 0)
        return 1;
    if (!pEntry || strcmp(pEntry->pszName, "DownLoadFile") != 0)
        return 2;
    if (DownLoadFile("", 0) != 0 || g_nMessages != 1)
        return 3;
    printf("consumer ok\n");
    return 0;
}
