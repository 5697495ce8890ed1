<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Quadrix</name>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Архив тиражей</source>
        <translation>Draws archive</translation>
    </message>
    <message>
        <source>Анализ статистики лотереи &quot;Pick 4&quot;</source>
        <translation>Lottery statistics analysis &quot;Pick 4&quot;</translation>
    </message>
</context>
</TS>
