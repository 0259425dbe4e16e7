#include "localisation/main_lexicons.h"

namespace localisation {

MainLexicons::MainLexicons(const QString& owner) :
    Dlang_connect(owner, QStringLiteral("Dlang_connect"),
                  {QStringLiteral("Подключить"), QStringLiteral("Отключить"), QStringLiteral("Подключаемся..."),
                   QStringLiteral("Нет подключения"), QStringLiteral("Подключено"), QStringLiteral("Отключено"),
                   QStringLiteral("Ошибка сканирования!!")}),
    Dlang1(owner, QStringLiteral("Dlang1"),
           {QStringLiteral("М"), QStringLiteral("к"), QStringLiteral("м"), QStringLiteral("мк"), QStringLiteral("н"),
            QStringLiteral("п")}),
    Dlang2(owner, QStringLiteral("Dlang2"),
           {QStringLiteral("Последовательная"), QStringLiteral("Параллельная"), QStringLiteral("S"),
            QStringLiteral("P"), QString(), QString()}),
    Dlang3(owner, QStringLiteral("Dlang3"),
           {QStringLiteral("Гц"), QStringLiteral("Вскз"), QStringLiteral("В"), QStringLiteral("Ом"),
            QStringLiteral("Гн"), QStringLiteral("Ф"), QStringLiteral("скз"), QStringLiteral("п-п")}),
    D1(owner, QStringLiteral("D1"),
       {QStringLiteral("Профиль"), QStringLiteral("Запись данных"), QStringLiteral("Стоп"), QStringLiteral("Пусто"),
        QStringLiteral("Файл успешно создан!"), QStringLiteral("Неудача!"), QStringLiteral("Данные эталона"),
        QStringLiteral("ru"), QStringLiteral("Пуск")}),
    D2(owner, QStringLiteral("D2"),
       {QString(), QStringLiteral("Позиция"), QStringLiteral("Время"), QStringLiteral("Основной"),
        QStringLiteral("Дополнительн."), QStringLiteral("Схема"), QStringLiteral("Частота"), QStringLiteral("Уровень"),
        QStringLiteral("Брак"), QStringLiteral("Основ.% откл."), QStringLiteral("Допол.% откл."),
        QStringLiteral("Наименование"), QStringLiteral("Основн. эталон"), QStringLiteral("Дополн.эталон"),
        QStringLiteral("Нач.позиция"), QStringLiteral("Интервал")}),
    D3(owner, QStringLiteral("D3"),
       {QStringLiteral("п"), QStringLiteral("о"), QStringLiteral("ПН"), QStringLiteral("+"), QStringLiteral("-"),
        QStringLiteral("сек"), QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString()}),
    D4(owner, QStringLiteral("D4"),
       {QStringLiteral("Журнал записи: "),
        QStringLiteral("Журнал не ведётся: "),
        QStringLiteral("Файл CSV записан: "),
        QStringLiteral("Не удалось записать файл: "),
        QStringLiteral("Файл Excel записан: "),
        QStringLiteral("Нет программы для открытия файла: "),
        QStringLiteral("Путь профиля слишком длинный, при следующем запуске профиль не откроется: "),
        QStringLiteral("Сначала создайте или откройте профиль."),
        QStringLiteral("Тренд"),
        QStringLiteral("Нет доступа к %1. Установите правило udev для адаптера (оно входит в пакет программы), "
                       "затем отключите и снова подключите адаптер; или войдите в группу %2 и войдите в "
                       "систему заново."),
        QStringLiteral("%1 занят другой программой. Закройте её, и программа подключится сама."),
        QStringLiteral("Адаптер на %1 отключён. Программа подключится снова, когда он вернётся."),
        QStringLiteral("Не удаётся открыть %1: %2"),
        QStringLiteral("Нет измерений от прибора %1 с. Проверьте, что прибор включён и находится рядом с "
                       "адаптером."),
        QStringLiteral("Измерения поступают снова."),
        QStringLiteral("Файл состояния не прочитан: "),
        QStringLiteral("База измерений не ведётся: "),
        QStringLiteral("Партия и база данных"),
        QStringLiteral("Настройки рабочего места не прочитаны: "),
        QStringLiteral("Настройки рабочего места не сохранены: "),
        QStringLiteral("Запись в %1 не завершилась вовремя: адаптер перестал принимать данные. Отключите адаптер "
                       "и подключите его снова."),
        QStringLiteral("Ошибка порта адаптера %1: %2. Если связь не восстановится, отключите адаптер и "
                       "подключите его снова."),
        QStringLiteral("Измерения отправляются в базу данных %1. Ждут отправки: %2."),
        QStringLiteral("База данных %1 недоступна; запись продолжается, измерения ждут в локальной базе, пока она "
                       "не ответит. Ждут отправки: %3. Причина: %2"),
        QStringLiteral("База данных %1 снова отвечает. Ждут отправки: %2."),
        QStringLiteral("Измерения не отправляются на сервер: "),
        QStringLiteral("Отправка измерений на сервер приостановлена: "),
        QStringLiteral("Все измерения переданы в базу данных %1."),
        QStringLiteral("Ждут отправки до следующего запуска: %1. Они хранятся в %2 и будут отправлены в %3, "
                       "когда программа запустится снова."),
        QStringLiteral("Сортировка по бинам"),
        QStringLiteral("Бин"),
        QStringLiteral("Режим"),
        QStringLiteral("Нижний"),
        QStringLiteral("Верхний"),
        QStringLiteral("Втор. нижний"),
        QStringLiteral("Втор. верхний"),
        QStringLiteral("Бин AUX"),
        QStringLiteral("Добавить бин"),
        QStringLiteral("Удалить бин"),
        QStringLiteral("Импорт…"),
        QStringLiteral("Экспорт…"),
        QStringLiteral("Сбросить счёт"),
        QStringLiteral("Последнее измерение"),
        QStringLiteral("Нет таблицы бинов: измерения не сортируются."),
        QStringLiteral("Таблицы бинов (*.csv)"),
        QStringLiteral("Таблица бинов не прочитана: "),
        QStringLiteral("Таблица бинов не сохранена: "),
        QStringLiteral("Таблица бинов записана: "),
        QStringLiteral("Отчёт о партии записан: "),
        QStringLiteral("Отчёт о партии не записан: "),
        QStringLiteral("Нет журнала записи для отчёта: сначала запишите партию.")})
{
}

void MainLexicons::bindTo(LexiconTranslator* engine)
{
    for (TDesignedLexicon* lexicon : {&Dlang_connect, &Dlang1, &Dlang2, &Dlang3, &D1, &D2, &D3, &D4})
        lexicon->setLangManEngine(engine);
}

} // namespace localisation
