#include "app/Resources.h"

#include <QtGlobal>

void initKoltraResources()
{
    Q_INIT_RESOURCE(koltra);
}
