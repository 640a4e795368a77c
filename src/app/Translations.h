#pragma once

class QCoreApplication;

// Loads Qt's own Russian translation, so that standard buttons read "Да", "Нет", "Отмена". Returns false when the
// translation is not installed (the buttons then stay English).
bool installQtRussianTranslation(QCoreApplication& app);
