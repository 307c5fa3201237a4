<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QItemDelegate</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Striked Out</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>X coordinate</source>
        <translation>X-Koordinate</translation>
    </message>
    <message>
        <source>Y coordinate</source>
        <translation>Y-Koordinate</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Pick color...</source>
        <translation>Farbe wählen...</translation>
    </message>
    <message>
        <source>Pick...</source>
        <translation>Auswählen...</translation>
    </message>
    <message>
        <source>Pick font...</source>
        <translation>Schrift wählen...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>No Value</source>
        <translation>Kein Wert</translation>
    </message>
    <message>
        <source>Unused</source>
        <translation>Nicht verwendet</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Bad Value</source>
        <translation>Ungültiger Wert</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Falsch</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Wahr</translation>
    </message>
</context>
<context>
    <name>TDropList</name>
    <message>
        <source>Restore previous value (Shift+Esc)</source>
        <translation>Vorherigen Wert wiederherstellen (Umschalt+Esc)</translation>
    </message>
</context>
<context>
    <name>TPopupButtonEditor</name>
    <message>
        <source>Pick value from dialog</source>
        <translation>Wert in einem Dialog auswählen</translation>
    </message>
</context>
<context>
    <name>TValueBrowser</name>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
</context>
<context>
    <name>qelTextEditorDialog</name>
    <message>
        <source>All Files (*);;HTML-Files (*.htm *.html);;Text Files (*.txt)</source>
        <translation>Alle Dateien (*);;HTML-Dateien (*.htm *.html);;Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Umschalten</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Fett</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>K&amp;ursiv</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>U&amp;nterstrichen</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Links</translation>
    </message>
    <message>
        <source>C&amp;enter</source>
        <translation>&amp;Zentriert</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Rechts</translation>
    </message>
    <message>
        <source>&amp;Justify</source>
        <translation>&amp;Blocksatz</translation>
    </message>
</context>
</TS>
