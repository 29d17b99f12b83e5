<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BurndownWindow</name>
    <message>
        <source>Sprint %1 — Burndown</source>
        <translation>Sprint %1 — Burndown</translation>
    </message>
    <message>
        <source>Burndown chart of sprint %1</source>
        <translation>Burndown-Diagramm von Sprint %1</translation>
    </message>
    <message>
        <source>Burndown figures</source>
        <translation>Burndown-Zahlen</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Offen</translation>
    </message>
    <message>
        <source>Ideal</source>
        <translation>Ideal</translation>
    </message>
    <message>
        <source>Sprint %1 has no dates yet: set them with Sprint details… (Ctrl+I) in its window.</source>
        <translation>Sprint %1 hat noch keine Daten: Legen Sie sie in seinem Fenster mit „Sprint-Details …“ (Strg+I) fest.</translation>
    </message>
    <message>
        <source>Tasks added to or removed from the sprint while it ran count from its first day; those that closing the sprint carried over have left it.</source>
        <translation>Aufgaben, die während des Sprints hinzugefügt oder entfernt wurden, zählen ab seinem ersten Tag; die beim Abschließen übertragenen haben ihn verlassen.</translation>
    </message>
    <message>
        <source>Open tasks</source>
        <translation>Offene Aufgaben</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Sprint %1</source>
        <translation>Sprint %1</translation>
    </message>
    <message>
        <source>Sprint %1: %2</source>
        <translation>Sprint %1: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>argument %1 is not valid UTF-8, and task lists hold UTF-8 text</source>
        <translation>Argument %1 ist kein gültiges UTF-8, und Aufgabenlisten enthalten UTF-8-Text</translation>
    </message>
    <message>
        <source>Plan a product backlog and numbered sprints, kept as plain text files in the folder.
With no command, open the windows.</source>
        <translation>Plant ein Product Backlog und nummerierte Sprints, als einfache Textdateien im Ordner.
Ohne Befehl öffnen sich die Fenster.</translation>
    </message>
    <message>
        <source>Work on the lists of &lt;folder&gt;, for the windows too.</source>
        <translation>Mit den Listen in &lt;folder&gt; arbeiten, auch in den Fenstern.</translation>
    </message>
    <message>
        <source>Print data as JSON.</source>
        <translation>Daten als JSON ausgeben.</translation>
    </message>
    <message>
        <source>One of the commands below.</source>
        <translation>Einer der Befehle unten.</translation>
    </message>
    <message>
        <source>no command %1</source>
        <translation>kein Befehl %1</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>--text names the task already; leave out --expect</source>
        <translation>--text nennt die Aufgabe schon; --expect weglassen</translation>
    </message>
    <message>
        <source>usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>give --expect once for each line number</source>
        <translation>--expect einmal für jede Zeilennummer angeben</translation>
    </message>
    <message>
        <source>%1 is not a line number: lines count from 1</source>
        <translation>%1 ist keine Zeilennummer: Zeilen zählen ab 1</translation>
    </message>
    <message>
        <source>%1 is not a list: give backlog or a sprint number such as 3</source>
        <translation>%1 ist keine Liste: backlog oder eine Sprintnummer wie 3 angeben</translation>
    </message>
    <message>
        <source>There is no sprint %1 in %2.</source>
        <translation>In %2 gibt es keinen Sprint %1.</translation>
    </message>
    <message>
        <source>%1 has conflict copies to merge in its window: %2</source>
        <translation>Zu %1 gibt es Konfliktkopien, die in seinem Fenster zusammenzuführen sind: %2</translation>
    </message>
    <message>
        <source>a task needs a text that is not empty</source>
        <translation>eine Aufgabe braucht einen Text, der nicht leer ist</translation>
    </message>
    <message>
        <source>%1 holds %2 already.</source>
        <translation>%1 enthält %2 schon.</translation>
    </message>
    <message>
        <source>a task needs a text that is not empty; rm deletes a task</source>
        <translation>eine Aufgabe braucht einen Text, der nicht leer ist; rm löscht eine Aufgabe</translation>
    </message>
    <message>
        <source>tasks move into sprints; TO is a sprint number</source>
        <translation>Aufgaben werden in Sprints verschoben; TO ist eine Sprintnummer</translation>
    </message>
    <message>
        <source>FROM and TO are the same sprint</source>
        <translation>FROM und TO sind derselbe Sprint</translation>
    </message>
    <message>
        <source>%1 held %2 already; it left %3.</source>
        <translation>%1 enthielt %2 schon; aus %3 wurde sie herausgenommen.</translation>
    </message>
    <message>
        <source>No sprint number is left above the highest.</source>
        <translation>Über der höchsten ist keine Sprintnummer mehr frei.</translation>
    </message>
    <message>
        <source>Cannot make the file %1:
%2</source>
        <translation>Die Datei %1 kann nicht angelegt werden:
%2</translation>
    </message>
    <message>
        <source>%1 is not an entry number: entries count from 1</source>
        <translation>%1 ist keine Eintragsnummer: Einträge zählen ab 1</translation>
    </message>
    <message>
        <source>The history of %1 has no entry %2 (it has %3).</source>
        <translation>Bei den gelöschten Aufgaben von %1 gibt es keinen Eintrag %2 (es gibt %3).</translation>
    </message>
    <message>
        <source>
Try &quot;corvane --help&quot;.</source>
        <translation>
Mehr dazu: „corvane --help“.</translation>
    </message>
    <message>
        <source>Print the tasks of LIST (the backlog when none is given) with their line numbers.</source>
        <translation>Die Aufgaben von LIST (ohne LIST die des Backlogs) mit ihren Zeilennummern ausgeben.</translation>
    </message>
    <message>
        <source>Print the numbers of the folder&apos;s sprints.</source>
        <translation>Die Nummern der Sprints im Ordner ausgeben.</translation>
    </message>
    <message>
        <source>Add each TEXT to the end of LIST as a task, unless LIST holds it already. A TEXT of several lines adds each line that is not empty, as the task dialog does.</source>
        <translation>Jeden TEXT als Aufgabe ans Ende von LIST anfügen, wenn LIST ihn nicht schon enthält. Ein TEXT aus mehreren Zeilen fügt jede Zeile an, die nicht leer ist, wie der Aufgabendialog.</translation>
    </message>
    <message>
        <source>Replace the task on line N with TEXT (each of its lines that is not empty, as the task dialog does). The old text is kept in the history of deleted tasks.</source>
        <translation>Die Aufgabe in Zeile N durch TEXT ersetzen (jede seiner Zeilen, die nicht leer ist, wie der Aufgabendialog). Der alte Text wird bei den gelöschten Aufgaben aufbewahrt.</translation>
    </message>
    <message>
        <source>Delete the tasks on lines N, keeping their texts in the history of deleted tasks, from which &quot;restore&quot; and the windows&apos; &quot;Restore deleted tasks&quot; bring them back.</source>
        <translation>Die Aufgaben in den Zeilen N löschen und ihre Texte bei den gelöschten Aufgaben aufbewahren, aus denen „restore“ und „Gelöschte Aufgaben wiederherstellen“ in den Fenstern sie zurückholen.</translation>
    </message>
    <message>
        <source>Move the task on line N of FROM to the end of sprint TO. From a sprint, the task leaves FROM once TO holds it; from the backlog, it is added to TO and stays in the backlog, as &quot;Add tasks&quot; does.</source>
        <translation>Die Aufgabe in Zeile N von FROM ans Ende von Sprint TO verschieben. Aus einem Sprint verlässt sie FROM, sobald TO sie enthält; aus dem Backlog wird sie zu TO hinzugefügt und bleibt im Backlog, wie bei „Aufgaben hinzufügen“.</translation>
    </message>
    <message>
        <source>Move the task on line N one line up.</source>
        <translation>Die Aufgabe in Zeile N eine Zeile nach oben verschieben.</translation>
    </message>
    <message>
        <source>Move the task on line N one line down.</source>
        <translation>Die Aufgabe in Zeile N eine Zeile nach unten verschieben.</translation>
    </message>
    <message>
        <source>Move the task on line N to the first line.</source>
        <translation>Die Aufgabe in Zeile N in die erste Zeile verschieben.</translation>
    </message>
    <message>
        <source>Move the task on line N to the last line.</source>
        <translation>Die Aufgabe in Zeile N in die letzte Zeile verschieben.</translation>
    </message>
    <message>
        <source>Make the next sprint&apos;s file, one above the highest number, and print its number.</source>
        <translation>Die Datei des nächsten Sprints anlegen, eins über der höchsten Nummer, und seine Nummer ausgeben.</translation>
    </message>
    <message>
        <source>Without N, print the deleted tasks of LIST (the backlog when none is given), newest first, numbered. With N, add those entries back to the end of LIST.</source>
        <translation>Ohne N die gelöschten Aufgaben von LIST (ohne LIST die des Backlogs) nummeriert ausgeben, die neuesten zuerst. Mit N diese Einträge wieder ans Ende von LIST anfügen.</translation>
    </message>
    <message>
        <source>Also: corvane %1
</source>
        <translation>Auch: corvane %1
</translation>
    </message>
    <message>
        <source>  --expect &lt;text&gt;  Change line N only if it reads &lt;text&gt;; once per N.
  --text &lt;text&gt;    Name the task by its exact text instead of by N.

</source>
        <translation>  --expect &lt;text&gt;  Zeile N nur ändern, wenn sie &lt;text&gt; lautet; einmal je N.
  --text &lt;text&gt;    Die Aufgabe mit ihrem genauen Text statt mit N angeben.

</translation>
    </message>
    <message>
        <source>
Commands:
</source>
        <translation>
Befehle:
</translation>
    </message>
    <message>
        <source>&quot;corvane --help COMMAND&quot; tells more of one command.

</source>
        <translation>„corvane --help BEFEHL“ sagt mehr über einen Befehl.

</translation>
    </message>
    <message>
        <source>Exit status:
  0  done
  1  nothing matched (no such line, task or sprint), or the list&apos;s rules refused the
     change (it holds the text already, or --expect was not met)
  2  usage error
  3  a file could not be read or written, or the output could not be written (the
     file and the reason on stderr)
</source>
        <translation>Rückgabewert:
  0  erledigt
  1  nichts gefunden (keine solche Zeile, Aufgabe oder kein solcher Sprint), oder die Regeln der
     Liste verweigerten die Änderung (sie enthält den Text schon, oder --expect war nicht erfüllt)
  2  falscher Aufruf
  3  eine Datei ließ sich nicht lesen oder schreiben, oder die Ausgabe ließ sich nicht schreiben
     (Datei und Grund auf stderr)
</translation>
    </message>
    <message>
        <source>LIST is &quot;backlog&quot; or a sprint number (as &quot;sprints&quot; prints it). N is a line number as
&quot;list&quot; prints it, counting from 1. Text is read and printed as UTF-8. After the
command&apos;s name, an argument that is none of its options is text, one that starts
with - too; after --, every argument is.
</source>
        <translation>LIST ist „backlog“ oder eine Sprintnummer (wie „sprints“ sie ausgibt). N ist eine Zeilennummer,
wie „list“ sie ausgibt, ab 1 gezählt. Text wird als UTF-8 gelesen und ausgegeben. Nach dem
Namen des Befehls ist ein Argument, das keine seiner Optionen ist, Text, auch eines, das mit -
beginnt; nach -- ist es jedes Argument.
</translation>
    </message>
    <message>
        <source>Cannot write the output: %1</source>
        <translation>Die Ausgabe lässt sich nicht schreiben: %1</translation>
    </message>
    <message>
        <source>%1 needs a text after it</source>
        <translation>%1 braucht einen Text dahinter</translation>
    </message>
    <message>
        <source>give --text once: a command names one task by its text</source>
        <translation>--text nur einmal angeben: Ein Befehl nennt eine Aufgabe bei ihrem Text</translation>
    </message>
    <message>
        <source>Usage: corvane [-C folder] %1 %2 [--json]
</source>
        <translation>Aufruf: corvane [-C Ordner] %1 %2 [--json]
</translation>
    </message>
    <message>
        <source>%1 holds every line of the new text already; nothing was changed.</source>
        <translation>%1 enthält schon jede Zeile des neuen Texts; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>Open the windows on the planner folder used last, as the desktop menu&apos;s entry does.</source>
        <translation>Die Fenster im zuletzt benutzten Planungsordner öffnen, wie der Eintrag im Menü der Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>--last-folder is for the windows: give a command its folder with -C</source>
        <translation>--last-folder gilt für die Fenster: einem Befehl den Ordner mit -C angeben</translation>
    </message>
    <message>
        <source>Cannot open the folder %1 that CORVANE_DIR names: %2</source>
        <translation>Der Ordner %1, den CORVANE_DIR nennt, kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The folder %1 holds no planner: it has no product_backlog and no sprint file.</source>
        <translation>Der Ordner %1 enthält keinen Planer: Er hat weder product_backlog noch eine Sprint-Datei.</translation>
    </message>
    <message>
        <source>Environment:
  CORVANE_DIR  the planner folder of the commands when no -C is given (the windows
               open in the current folder)
</source>
        <translation>Umgebung:
  CORVANE_DIR  der Planungsordner der Befehle, wenn kein -C angegeben ist (die Fenster
               öffnen sich im aktuellen Ordner)
</translation>
    </message>
    <message>
        <source>Print, for each day of sprint N from its start to its end or to today, whichever is earlier, the date, how many of its tasks were open that day and how many the ideal line from the first day&apos;s count to none on the last gives.</source>
        <translation>Für jeden Tag von Sprint N, von seinem Beginn bis zu seinem Ende oder bis heute, je nachdem, was früher ist, das Datum ausgeben, wie viele seiner Aufgaben an dem Tag offen waren und wie viele die Ideallinie vom Stand des ersten Tages bis null am letzten ergibt.</translation>
    </message>
    <message>
        <source>Sprint %1 has no dates: give them with &quot;corvane sprint %1 --start DATE --end DATE&quot;.</source>
        <translation>Sprint %1 hat keine Daten: Geben Sie sie mit „corvane sprint %1 --start DATUM --end DATUM“ an.</translation>
    </message>
    <message>
        <source>Close sprint N: its open tasks move, in their order, to the end of sprint M, the next sprint unless --to names another, which is made, with dates following N&apos;s, when it does not exist. The done tasks and N&apos;s dates and goal stay.</source>
        <translation>Sprint N abschließen: Seine offenen Aufgaben wandern in ihrer Reihenfolge ans Ende von Sprint M, dem nächsten Sprint, wenn --to keinen anderen nennt; fehlt er, wird er mit Daten im Anschluss an N angelegt. Die erledigten Aufgaben sowie die Daten und das Ziel von N bleiben.</translation>
    </message>
    <message>
        <source>--to needs another sprint&apos;s number, not %1</source>
        <translation>--to braucht die Nummer eines anderen Sprints, nicht %1</translation>
    </message>
    <message>
        <source>There is no sprint %1.</source>
        <translation>Es gibt keinen Sprint %1.</translation>
    </message>
    <message>
        <source>Mark the tasks on lines N done today, as todo.txt does: the line then begins with &quot;x&quot; and the date.</source>
        <translation>Die Aufgaben in den Zeilen N als heute erledigt markieren, wie todo.txt es tut: Die Zeile beginnt dann mit „x“ und dem Datum.</translation>
    </message>
    <message>
        <source>Mark the done tasks on lines N open again.</source>
        <translation>Die erledigten Aufgaben in den Zeilen N wieder als offen markieren.</translation>
    </message>
    <message>
        <source>%1 needs a value after it</source>
        <translation>%1 braucht einen Wert dahinter</translation>
    </message>
    <message>
        <source>Print sprint N as Markdown: its number, dates and goal, its done tasks with the days they were done, and its open tasks.</source>
        <translation>Sprint N als Markdown ausgeben: seine Nummer, Daten und sein Ziel, seine erledigten Aufgaben mit den Tagen, an denen sie erledigt wurden, und seine offenen Aufgaben.</translation>
    </message>
    <message>
        <source># Sprint %1</source>
        <translation># Sprint %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>, closed on %1</source>
        <translation>, abgeschlossen am %1</translation>
    </message>
    <message>
        <source>Goal: %1</source>
        <translation>Ziel: %1</translation>
    </message>
    <message>
        <source>## Done (%1 of %2)</source>
        <translation>## Erledigt (%1 von %2)</translation>
    </message>
    <message>
        <source>## Open (%1)</source>
        <translation>## Offen (%1)</translation>
    </message>
    <message>
        <source>Print sprint N&apos;s start and end dates, goal and whether it is closed; with options, set them. Dates are written YYYY-MM-DD; a start after the end is refused.</source>
        <translation>Beginn, Ende, Ziel von Sprint N ausgeben und ob er abgeschlossen ist; mit Optionen diese festlegen. Daten werden JJJJ-MM-TT geschrieben; ein Beginn nach dem Ende wird abgelehnt.</translation>
    </message>
    <message>
        <source>%1 is not a sprint: give a sprint number such as 3</source>
        <translation>%1 ist kein Sprint: Geben Sie eine Sprintnummer wie 3 an</translation>
    </message>
    <message>
        <source>%1 is not a date: write it YYYY-MM-DD</source>
        <translation>%1 ist kein Datum: Schreiben Sie es JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>Nothing was saved.</source>
        <translation>Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Print each sprint&apos;s number, how many tasks it has and how many of them are done, separated by tabs.</source>
        <translation>Für jeden Sprint seine Nummer ausgeben, wie viele Aufgaben er hat und wie viele davon erledigt sind, durch Tabulatoren getrennt.</translation>
    </message>
    <message>
        <source>%1 has conflict copies to merge in the main window (File, Merge schedule copy…): %2</source>
        <translation>Zu %1 gibt es Konfliktkopien, die im Hauptfenster zusammenzuführen sind (Datei, Terminplan-Kopie zusammenführen …): %2</translation>
    </message>
</context>
<context>
    <name>ConflictBar</name>
    <message>
        <source>Merge…</source>
        <translation>Zusammenführen …</translation>
    </message>
    <message>
        <source>Keep both sides</source>
        <translation>Beide Seiten behalten</translation>
    </message>
    <message>
        <source>This list holds the markers of a merge conflict that git left; it is read-only until you keep both sides.</source>
        <translation>Diese Liste enthält die Markierungen eines Zusammenführungskonflikts, die git hinterlassen hat; sie ist schreibgeschützt, bis Sie beide Seiten behalten.</translation>
    </message>
    <message numerus="yes">
        <source>A synchronising program left %n conflict copy(s) of this list: %1</source>
        <translation>
            <numerusform>Ein Synchronisationsprogramm hat %n Konfliktkopie dieser Liste hinterlassen: %1</numerusform>
            <numerusform>Ein Synchronisationsprogramm hat %n Konfliktkopien dieser Liste hinterlassen: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ConflictCopies</name>
    <message>
        <source>%1 is a symbolic link: only a copy that is a file of its own is merged.</source>
        <translation>%1 ist ein symbolischer Link: Nur eine Kopie, die eine eigene Datei ist, wird zusammengeführt.</translation>
    </message>
    <message>
        <source>%1 is a directory, not a copy of a list.</source>
        <translation>%1 ist ein Verzeichnis, keine Kopie einer Liste.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>Cannot make folder %1 to keep merged copies in:
%2</source>
        <translation>Der Ordner %1 für zusammengeführte Kopien kann nicht angelegt werden:
%2</translation>
    </message>
    <message>
        <source>Cannot move %1 into %2:
%3</source>
        <translation>%1 kann nicht nach %2 verschoben werden:
%3</translation>
    </message>
    <message>
        <source>Cannot put %1 back: an entry of that name is there again.</source>
        <translation>%1 kann nicht zurückgelegt werden: Dort gibt es wieder einen Eintrag dieses Namens.</translation>
    </message>
    <message>
        <source>Cannot move %1 back to %2:
%3</source>
        <translation>%1 kann nicht nach %2 zurückverschoben werden:
%3</translation>
    </message>
</context>
<context>
    <name>DeletedTasks</name>
    <message>
        <source>Cannot keep a copy of the deleted tasks in %1:
%2</source>
        <translation>Eine Kopie der gelöschten Aufgaben kann nicht in %1 aufbewahrt werden:
%2</translation>
    </message>
    <message>
        <source>Cannot read the deleted tasks in %1:
%2</source>
        <translation>Die gelöschten Aufgaben in %1 lassen sich nicht lesen:
%2</translation>
    </message>
</context>
<context>
    <name>DesktopSetup</name>
    <message>
        <source>Corvane</source>
        <translation>Corvane</translation>
    </message>
    <message>
        <source>Corvane keeps a product backlog and its sprints as files in a folder of their own.
Which folder should it use?</source>
        <translation>Corvane speichert ein Product Backlog und seine Sprints als Dateien in einem eigenen Ordner.
Welchen Ordner soll es verwenden?</translation>
    </message>
    <message>
        <source>Use %1</source>
        <translation>%1 verwenden</translation>
    </message>
    <message>
        <source>Choose another folder…</source>
        <translation>Anderen Ordner wählen …</translation>
    </message>
    <message>
        <source>Cannot make the folder %1.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>FileLock</name>
    <message>
        <source>Its lock file %1 cannot be opened: %2</source>
        <translation>Ihre Sperrdatei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Another program keeps it locked.</source>
        <translation>Ein anderes Programm hält sie gesperrt.</translation>
    </message>
    <message>
        <source>The file system of its folder offers no file locks (%1), so the change was not saved.</source>
        <translation>Das Dateisystem ihres Ordners bietet keine Dateisperren (%1), daher wurde die Änderung nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>ListDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Nothing matches “%1”.</source>
        <translation>Nichts passt zu „%1“.</translation>
    </message>
    <message>
        <source>Type to filter</source>
        <translation>Zum Filtern tippen</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
</context>
<context>
    <name>ListMerge</name>
    <message numerus="yes">
        <source>it holds %n task(s) that were not shown, such as “%1”</source>
        <translation>
            <numerusform>sie enthält %n Aufgabe, die nicht angezeigt wurde, etwa „%1“</numerusform>
            <numerusform>sie enthält %n Aufgaben, die nicht angezeigt wurden, etwa „%1“</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>it no longer holds %n of the task(s) ticked to be added, such as “%1”</source>
        <translation>
            <numerusform>ihr fehlt %n der zum Hinzufügen angehakten Aufgaben, etwa „%1“</numerusform>
            <numerusform>ihr fehlen %n der zum Hinzufügen angehakten Aufgaben, etwa „%1“</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>it now holds %n of the task(s) unticked to be taken out, such as “%1”</source>
        <translation>
            <numerusform>sie enthält jetzt %n der nicht angehakten Aufgaben, die herausgenommen werden sollten, etwa „%1“</numerusform>
            <numerusform>sie enthält jetzt %n der nicht angehakten Aufgaben, die herausgenommen werden sollten, etwa „%1“</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Corvane</source>
        <translation>Corvane</translation>
    </message>
    <message>
        <source>Product backlog</source>
        <translation>Product Backlog</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Sprints</source>
        <translation>Sprints</translation>
    </message>
    <message>
        <source>Sprint settings</source>
        <translation>Sprint-Einstellungen</translation>
    </message>
    <message>
        <source>New sprint</source>
        <translation>Neuer Sprint</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open folder…</source>
        <translation>Ordner ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;New sprint</source>
        <translation>&amp;Neuer Sprint</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;About Corvane</source>
        <translation>Ü&amp;ber Corvane</translation>
    </message>
    <message>
        <source>About Corvane</source>
        <translation>Über Corvane</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Corvane %1&lt;/h3&gt;&lt;p&gt;Plans a product backlog and numbered sprints, each kept as a plain text file with one task a line, in the folder it is started in.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Corvane %1&lt;/h3&gt;&lt;p&gt;Plant ein Product Backlog und nummerierte Sprints, jeweils als einfache Textdatei mit einer Aufgabe pro Zeile, in dem Ordner, in dem es gestartet wird.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Strg+O</translation>
    </message>
    <message>
        <source>Open another planner folder</source>
        <translation>Einen anderen Planungsordner öffnen</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Strg+N</translation>
    </message>
    <message>
        <source>Make a new sprint and open it</source>
        <translation>Einen neuen Sprint anlegen und öffnen</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Strg+Q</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab, Umschalt+Tab</translation>
    </message>
    <message>
        <source>Go to the next or previous list or button</source>
        <translation>Zur nächsten oder vorigen Liste oder Schaltfläche wechseln</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Edit the selected task; in a picker, take the selected rows</source>
        <translation>Die ausgewählte Aufgabe bearbeiten; in einer Auswahlliste die ausgewählten Zeilen übernehmen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete the selected task</source>
        <translation>Die ausgewählte Aufgabe löschen</translation>
    </message>
    <message>
        <source>Alt+Up, Alt+Down</source>
        <translation>Alt+Hoch, Alt+Runter</translation>
    </message>
    <message>
        <source>Move the selected task up or down</source>
        <translation>Die ausgewählte Aufgabe nach oben oder unten verschieben</translation>
    </message>
    <message>
        <source>Alt+Home, Alt+End</source>
        <translation>Alt+Pos1, Alt+Ende</translation>
    </message>
    <message>
        <source>Move the selected task to the top or the bottom</source>
        <translation>Die ausgewählte Aufgabe an den Anfang oder das Ende verschieben</translation>
    </message>
    <message>
        <source>Undo, redo</source>
        <translation>Rückgängig, Wiederholen</translation>
    </message>
    <message>
        <source>Ctrl+Shift+T</source>
        <translation>Strg+Umschalt+T</translation>
    </message>
    <message>
        <source>Restore deleted tasks</source>
        <translation>Gelöschte Aufgaben wiederherstellen</translation>
    </message>
    <message>
        <source>Shift+F10, Menu</source>
        <translation>Umschalt+F10, Menü</translation>
    </message>
    <message>
        <source>Open the list&apos;s menu</source>
        <translation>Das Menü der Liste öffnen</translation>
    </message>
    <message>
        <source>Ctrl+Enter</source>
        <translation>Strg+Eingabe</translation>
    </message>
    <message>
        <source>Take the text in the task editor</source>
        <translation>Den Text im Aufgabeneditor übernehmen</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Close the window or dialog</source>
        <translation>Das Fenster oder den Dialog schließen</translation>
    </message>
    <message>
        <source>No new sprint number is left: %1 is the highest sprint number there can be.</source>
        <translation>Es ist keine neue Sprintnummer mehr frei: %1 ist die höchste mögliche Sprintnummer.</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfg</translation>
    </message>
    <message>
        <source>Add a task to the backlog, or tasks from it to a sprint</source>
        <translation>Eine Aufgabe zum Backlog hinzufügen, oder Aufgaben aus ihm zu einem Sprint</translation>
    </message>
    <message>
        <source>Enter, F2</source>
        <translation>Eingabe, F2</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Strg+M</translation>
    </message>
    <message>
        <source>Move the selected task to another sprint</source>
        <translation>Die ausgewählte Aufgabe in einen anderen Sprint verschieben</translation>
    </message>
    <message>
        <source>Conflict copies to merge: %1 (open the list and choose Merge…)</source>
        <translation>Konfliktkopien zum Zusammenführen: %1 (die Liste öffnen und „Zusammenführen …“ wählen)</translation>
    </message>
    <message>
        <source>%1 — Corvane</source>
        <translation>%1 — Corvane</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Strg+F</translation>
    </message>
    <message>
        <source>Find tasks: show only those that hold what you type</source>
        <translation>Aufgaben suchen: nur die zeigen, die das Eingegebene enthalten</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Strg+A</translation>
    </message>
    <message>
        <source>Select every task shown; in a picker, every row shown</source>
        <translation>Alle gezeigten Aufgaben auswählen; in einer Auswahlliste alle gezeigten Zeilen</translation>
    </message>
    <message>
        <source>Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y</source>
        <translation>Strg+Z, Strg+Umschalt+Z, Strg+Y</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Strg+I</translation>
    </message>
    <message>
        <source>Set the sprint&apos;s dates and goal</source>
        <translation>Daten und Ziel des Sprints festlegen</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Strg+Umschalt+E</translation>
    </message>
    <message>
        <source>Close the sprint, carrying its open tasks over to the next</source>
        <translation>Den Sprint abschließen und seine offenen Aufgaben in den nächsten übertragen</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Strg+B</translation>
    </message>
    <message>
        <source>Show the sprint&apos;s burndown chart</source>
        <translation>Das Burndown-Diagramm des Sprints zeigen</translation>
    </message>
    <message>
        <source>Press the button that has the focus; in a list, mark the selected tasks done, or not done when all are</source>
        <translation>Die Schaltfläche mit dem Fokus drücken; in einer Liste die gewählten Aufgaben als erledigt markieren, oder als nicht erledigt, wenn sie es alle sind</translation>
    </message>
    <message>
        <source>&amp;Merge schedule copy…</source>
        <translation>Terminplan-Kopie &amp;zusammenführen …</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Conflict copies of the schedule to merge (File, Merge schedule copy…)</source>
        <translation>Konfliktkopien des Terminplans zum Zusammenführen (Datei, Terminplan-Kopie zusammenführen …)</translation>
    </message>
</context>
<context>
    <name>MergeDialog</name>
    <message>
        <source>Merge %1</source>
        <translation>%1 zusammenführen</translation>
    </message>
    <message>
        <source>Only in the copy %1 — ticked tasks are added where they stand in the copy:</source>
        <translation>Nur in der Kopie %1 – angehakte Aufgaben werden dort eingefügt, wo sie in der Kopie stehen:</translation>
    </message>
    <message>
        <source>Deleted on this machine on purpose</source>
        <translation>Auf diesem Rechner absichtlich gelöscht</translation>
    </message>
    <message>
        <source>Only in %1 — unticked tasks are taken out (and kept among the deleted tasks):</source>
        <translation>Nur in %1 – nicht angehakte Aufgaben werden herausgenommen (und bei den gelöschten Aufgaben aufbewahrt):</translation>
    </message>
    <message>
        <source>Afterwards the copy is moved into the hidden folder .corvane-merged; Undo puts it back.</source>
        <translation>Danach wird die Kopie in den versteckten Ordner .corvane-merged verschoben; Rückgängig legt sie zurück.</translation>
    </message>
    <message>
        <source>Sprint details only in the copy %1 — ticked ones are taken; of a sprint with other details here, one version stays:</source>
        <translation>Sprint-Angaben nur in der Kopie %1 – angehakte werden übernommen; von einem Sprint mit anderen Angaben hier bleibt eine Fassung:</translation>
    </message>
    <message>
        <source>This sprint has other details on this machine; tick to take these instead</source>
        <translation>Dieser Sprint hat auf diesem Rechner andere Angaben; anhaken, um stattdessen diese zu übernehmen</translation>
    </message>
    <message>
        <source>Sprint details only in %1 — unticked ones are taken out:</source>
        <translation>Sprint-Angaben nur in %1 – nicht angehakte werden entfernt:</translation>
    </message>
    <message>
        <source>Merge which copy?</source>
        <translation>Welche Kopie zusammenführen?</translation>
    </message>
    <message>
        <source>
It is not merged.</source>
        <translation>
Sie wird nicht zusammengeführt.</translation>
    </message>
</context>
<context>
    <name>PBacklogWindow</name>
    <message>
        <source>Product Backlog</source>
        <translation>Product Backlog</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Add task</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
    <message>
        <source>Delete task</source>
        <translation>Aufgabe löschen</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>Aufgabe bearbeiten</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <source>The product backlog holds every line you typed already, and keeps each task once.
Change the text, or cancel to leave the task as it was.</source>
        <translation>Das Product Backlog enthält jede eingegebene Zeile bereits und führt jede Aufgabe nur einmal.
Ändern Sie den Text, oder brechen Sie ab, um die Aufgabe unverändert zu lassen.</translation>
    </message>
    <message>
        <source>Sprint %1 holds this task too; it changes with it.</source>
        <translation>Sprint %1 enthält diese Aufgabe auch; er ändert sich mit.</translation>
    </message>
    <message>
        <source>Sprints %1 hold this task too; they change with it.</source>
        <translation>Die Sprints %1 enthalten diese Aufgabe auch; sie ändern sich mit.</translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>The folder %1 is not writable (%2).</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>Another program changed it meanwhile.</source>
        <translation>Ein anderes Programm hat sie inzwischen geändert.</translation>
    </message>
</context>
<context>
    <name>SideFile</name>
    <message>
        <source>It is a symbolic link, and files beside the lists are not followed elsewhere.</source>
        <translation>Sie ist ein symbolischer Link, und Dateien neben den Listen werden nicht anderswohin verfolgt.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Sie ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>It is a directory.</source>
        <translation>Sie ist ein Verzeichnis.</translation>
    </message>
</context>
<context>
    <name>SprintDetailsDialog</name>
    <message>
        <source>Sprint %1 details</source>
        <translation>Details von Sprint %1</translation>
    </message>
    <message>
        <source>&amp;Start:</source>
        <translation>&amp;Beginn:</translation>
    </message>
    <message>
        <source>&amp;End:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>&amp;Goal:</source>
        <translation>&amp;Ziel:</translation>
    </message>
    <message>
        <source>
Nothing was saved.</source>
        <translation>
Es wurde nichts gespeichert.</translation>
    </message>
</context>
<context>
    <name>SprintOverview</name>
    <message>
        <source>Sprints at a glance</source>
        <translation>Sprints auf einen Blick</translation>
    </message>
    <message>
        <source>Sprint</source>
        <translation>Sprint</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Goal</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Burndown…</source>
        <translation>Burndown …</translation>
    </message>
    <message>
        <source>Velocity: tasks finished in each closed sprint</source>
        <translation>Velocity: in jedem abgeschlossenen Sprint erledigte Aufgaben</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>Sprint %1</source>
        <translation>Sprint %1</translation>
    </message>
    <message>
        <source>Sprint %1 (current)</source>
        <translation>Sprint %1 (aktuell)</translation>
    </message>
    <message>
        <source>Sprint %1 (closed)</source>
        <translation>Sprint %1 (abgeschlossen)</translation>
    </message>
    <message>
        <source>%1 of %2 done</source>
        <translation>%1 von %2 erledigt</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>goal: %1</source>
        <translation>Ziel: %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Erledigt</translation>
    </message>
    <message numerus="yes">
        <source>sprint %1: %n finished</source>
        <translation>
            <numerusform>Sprint %1: %n erledigt</numerusform>
            <numerusform>Sprint %1: %n erledigt</numerusform>
        </translation>
    </message>
    <message>
        <source>▶ %1</source>
        <translation>▶ %1</translation>
    </message>
    <message>
        <source>%1 ✓</source>
        <translation>%1 ✓</translation>
    </message>
</context>
<context>
    <name>SprintPlacements</name>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <translation>
            <numerusform>%1 und %n weiterer</numerusform>
            <numerusform>%1 und %n weiteren</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>planned in sprint %1</source>
        <translation>eingeplant in Sprint %1</translation>
    </message>
    <message>
        <source>planned in sprints %1</source>
        <translation>eingeplant in den Sprints %1</translation>
    </message>
    <message>
        <source>done in sprint %1</source>
        <translation>erledigt in Sprint %1</translation>
    </message>
    <message>
        <source>done in sprints %1</source>
        <translation>erledigt in den Sprints %1</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
</context>
<context>
    <name>SprintSchedule</name>
    <message>
        <source>Cannot make the file %1:
%2</source>
        <translation>Die Datei %1 kann nicht angelegt werden:
%2</translation>
    </message>
    <message>
        <source>A sprint needs a start date and an end date.</source>
        <translation>Ein Sprint braucht ein Anfangs- und ein Enddatum.</translation>
    </message>
    <message>
        <source>The sprint would start on %1, after its end on %2.</source>
        <translation>Der Sprint würde am %1 beginnen, nach seinem Ende am %2.</translation>
    </message>
    <message>
        <source>Sprint %1</source>
        <translation>Sprint %1</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>closed on %1</source>
        <translation>abgeschlossen am %1</translation>
    </message>
    <message>
        <source>goal: %1</source>
        <translation>Ziel: %1</translation>
    </message>
</context>
<context>
    <name>SprintWindow</name>
    <message>
        <source>Sprint settings</source>
        <translation>Sprint-Einstellungen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Sprint number:</source>
        <translation>Sprintnummer:</translation>
    </message>
    <message>
        <source>Add from sprint backlog</source>
        <translation>Aus dem Backlog hinzufügen</translation>
    </message>
    <message>
        <source>Sprint tasks</source>
        <translation>Sprint-Aufgaben</translation>
    </message>
    <message>
        <source>Move to another sprint</source>
        <translation>In anderen Sprint verschieben</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Add tasks</source>
        <translation>Aufgaben hinzufügen</translation>
    </message>
    <message>
        <source>Move task</source>
        <translation>Aufgabe verschieben</translation>
    </message>
    <message>
        <source>The product backlog has no tasks. Add them in the product backlog window first.</source>
        <translation>Das Product Backlog enthält keine Aufgaben. Fügen Sie sie zuerst im Fenster des Product Backlogs hinzu.</translation>
    </message>
    <message>
        <source>There is no other sprint to move the task to. Make one with &quot;New sprint&quot; in the main window first.</source>
        <translation>Es gibt keinen anderen Sprint, in den die Aufgabe verschoben werden kann. Legen Sie zuerst im Hauptfenster mit „Neuer Sprint“ einen an.</translation>
    </message>
    <message>
        <source>Sprint %1 — Sprint settings</source>
        <translation>Sprint %1 — Sprint-Einstellungen</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <source>Sprint details…</source>
        <translation>Sprint-Details …</translation>
    </message>
    <message>
        <source>Close sprint…</source>
        <translation>Sprint abschließen …</translation>
    </message>
    <message>
        <source>Burndown…</source>
        <translation>Burndown …</translation>
    </message>
    <message>
        <source>This sprint holds every line you typed already, and keeps each task once.
Change the text, or cancel to leave the task as it was.</source>
        <translation>Dieser Sprint enthält schon jede eingegebene Zeile und führt jede Aufgabe nur einmal.
Ändern Sie den Text, oder brechen Sie ab, um die Aufgabe zu lassen, wie sie war.</translation>
    </message>
    <message>
        <source>Sprint details</source>
        <translation>Sprint-Details</translation>
    </message>
    <message numerus="yes">
        <source>Its %n open tasks move, in their order, to the end of sprint %1; the done tasks stay here.</source>
        <translation>
            <numerusform>Seine %n offene Aufgabe wandert ans Ende von Sprint %1; die erledigten Aufgaben bleiben hier.</numerusform>
            <numerusform>Seine %n offenen Aufgaben wandern in ihrer Reihenfolge ans Ende von Sprint %1; die erledigten Aufgaben bleiben hier.</numerusform>
        </translation>
    </message>
    <message>
        <source>It has no open tasks to move to sprint %1.</source>
        <translation>Er hat keine offenen Aufgaben, die in Sprint %1 wandern.</translation>
    </message>
    <message>
        <source>Sprint %1 is made, with dates following this sprint&apos;s.</source>
        <translation>Sprint %1 wird angelegt, mit Daten im Anschluss an diesen Sprint.</translation>
    </message>
    <message>
        <source>Close sprint</source>
        <translation>Sprint abschließen</translation>
    </message>
    <message>
        <source>Close sprint %1?</source>
        <translation>Sprint %1 abschließen?</translation>
    </message>
</context>
<context>
    <name>TaskCommand</name>
    <message>
        <source>The list already reads as this step would leave it: another window or program made the same change. Nothing was changed.</source>
        <translation>Die Liste ist bereits so, wie dieser Schritt sie hinterließe: Ein anderes Fenster oder Programm hat dieselbe Änderung vorgenommen. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>Aufgabe bearbeiten</translation>
    </message>
    <message numerus="yes">
        <source>%n of the chosen tasks were gone already: another window or program removed them.</source>
        <translation>
            <numerusform>%n der gewählten Aufgaben war schon fort: Ein anderes Fenster oder Programm hat sie entfernt.</numerusform>
            <numerusform>%n der gewählten Aufgaben waren schon fort: Ein anderes Fenster oder Programm hat sie entfernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Merge %1</source>
        <translation>%1 zusammenführen</translation>
    </message>
    <message>
        <source>Keep both sides</source>
        <translation>Beide Seiten behalten</translation>
    </message>
    <message>
        <source>
It is not merged.</source>
        <translation>
Sie wird nicht zusammengeführt.</translation>
    </message>
    <message>
        <source>%1 changed since it was shown for merging: %2.
Nothing was merged, and the copy stays; Merge… shows it as it is now.</source>
        <translation>%1 hat sich geändert, seit sie zum Zusammenführen angezeigt wurde: %2.
Es wurde nichts zusammengeführt, und die Kopie bleibt; „Zusammenführen …“ zeigt sie, wie sie jetzt ist.</translation>
    </message>
    <message>
        <source>Mark done</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>Mark not done</source>
        <translation>Als offen markieren</translation>
    </message>
    <message>
        <source>The dates or the goal of sprint %1 changed since: another window or program changed them. They are left as they are now.</source>
        <translation>Die Daten oder das Ziel von Sprint %1 haben sich seitdem geändert: Ein anderes Fenster oder Programm hat sie geändert. Sie bleiben, wie sie jetzt sind.</translation>
    </message>
    <message numerus="yes">
        <source>%n of the chosen tasks are in this list already, and a list keeps each task once, so they were not added again: %1</source>
        <translation>
            <numerusform>%n der gewählten Aufgaben steht schon in dieser Liste, und eine Liste führt jede Aufgabe nur einmal; sie wurde nicht noch einmal hinzugefügt: %1</numerusform>
            <numerusform>%n der gewählten Aufgaben stehen schon in dieser Liste, und eine Liste führt jede Aufgabe nur einmal; sie wurden nicht noch einmal hinzugefügt: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>The task no longer reads as this step left it, in any list: another window or program changed it. Nothing was changed.</source>
        <translation>Die Aufgabe lautet in keiner Liste mehr so, wie dieser Schritt sie hinterlassen hat: Ein anderes Fenster oder Programm hat sie geändert. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Left as they are, since another window or program changed them meanwhile: %1</source>
        <translation>Unverändert gelassen, da ein anderes Fenster oder Programm sie inzwischen geändert hat: %1</translation>
    </message>
</context>
<context>
    <name>TaskDelegate</name>
    <message>
        <source>%1
Done on %2</source>
        <translation>%1
Erledigt am %2</translation>
    </message>
    <message>
        <source>%1, done on %2</source>
        <translation>%1, erledigt am %2</translation>
    </message>
</context>
<context>
    <name>TaskDialog</name>
    <message>
        <source>Task description:</source>
        <translation>Aufgabenbeschreibung:</translation>
    </message>
</context>
<context>
    <name>TaskListController</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Restore deleted tasks…</source>
        <translation>Gelöschte Aufgaben wiederherstellen …</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation>An den Anfang</translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation>Ans Ende</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Restore deleted tasks</source>
        <translation>Gelöschte Aufgaben wiederherstellen</translation>
    </message>
    <message>
        <source>No task of this list has been deleted lately, so there is none to restore.</source>
        <translation>Aus dieser Liste wurde in letzter Zeit keine Aufgabe gelöscht, daher gibt es nichts wiederherzustellen.</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>Suchen …</translation>
    </message>
    <message>
        <source>Find tasks</source>
        <translation>Aufgaben suchen</translation>
    </message>
    <message>
        <source>No task matches “%1”.</source>
        <translation>Keine Aufgabe passt zu „%1“.</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1, %2: %3</translation>
    </message>
    <message>
        <source>Mark done</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>Hide done tasks</source>
        <translation>Erledigte Aufgaben ausblenden</translation>
    </message>
    <message>
        <source>This task is %1 characters long, too long to edit here; it is left as it is.
It begins: %2</source>
        <translation>Diese Aufgabe ist %1 Zeichen lang, zu lang, um sie hier zu bearbeiten; sie bleibt, wie sie ist.
Sie beginnt mit: %2</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>Aufgabe bearbeiten</translation>
    </message>
    <message>
        <source>The task you edited was changed or removed by another window or program while the editor was open.
Add what you typed as a new task?</source>
        <translation>Die bearbeitete Aufgabe wurde von einem anderen Fenster oder Programm geändert oder entfernt, während der Editor offen war.
Das Eingegebene als neue Aufgabe hinzufügen?</translation>
    </message>
    <message>
        <source>Add task</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n done</source>
        <translation>
            <numerusform>%1 von %n erledigt</numerusform>
            <numerusform>%1 von %n erledigt</numerusform>
        </translation>
    </message>
    <message>
        <source>Mark not done</source>
        <translation>Als offen markieren</translation>
    </message>
</context>
<context>
    <name>TaskListFile</name>
    <message>
        <source>Cannot create file %1:
%2</source>
        <translation>Die Datei %1 kann nicht angelegt werden:
%2</translation>
    </message>
    <message>
        <source>Cannot move tasks from %1 to %2:
Both names lead to the same file.</source>
        <translation>Aufgaben können nicht von %1 nach %2 verschoben werden:
Beide Namen führen zur selben Datei.</translation>
    </message>
    <message>
        <source>The tasks are now in both %1 and %2.
%3
Taking them back out of %2 failed too:
%4</source>
        <translation>Die Aufgaben stehen jetzt sowohl in %1 als auch in %2.
%3
Auch das Herausnehmen aus %2 ist fehlgeschlagen:
%4</translation>
    </message>
    <message>
        <source>Cannot change file %1:
%2</source>
        <translation>Die Datei %1 kann nicht geändert werden:
%2</translation>
    </message>
    <message>
        <source>Cannot lock file %1:
%2</source>
        <translation>Die Datei %1 kann nicht gesperrt werden:
%2</translation>
    </message>
    <message>
        <source>It is a directory.</source>
        <translation>Sie ist ein Verzeichnis.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Sie ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>Cannot read file %1:
%2</source>
        <translation>Die Datei %1 kann nicht gelesen werden:
%2</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>File %1 is not valid %2 text.
Its tasks are shown as read, and no change is saved over them.</source>
        <translation>Die Datei %1 ist kein gültiger %2-Text.
Ihre Aufgaben werden wie gelesen angezeigt, und keine Änderung wird über sie gespeichert.</translation>
    </message>
    <message>
        <source>File %1 was removed by another program.
The list is empty now; the next change starts a new file.</source>
        <translation>Die Datei %1 wurde von einem anderen Programm entfernt.
Die Liste ist jetzt leer; die nächste Änderung beginnt eine neue Datei.</translation>
    </message>
    <message>
        <source>A task you chose is no longer in %1:
another window or program changed or removed it. Nothing was changed.</source>
        <translation>Eine gewählte Aufgabe steht nicht mehr in %1:
Ein anderes Fenster oder Programm hat sie geändert oder entfernt. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1 holds already every task this change would add:
another window or program put them there. Nothing was changed.</source>
        <translation>%1 enthält bereits jede Aufgabe, die diese Änderung hinzufügen würde:
Ein anderes Fenster oder Programm hat sie dort eingetragen. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>File %1 is gone:
another window or program removed it. It is not made anew here. Nothing was changed.</source>
        <translation>Die Datei %1 ist nicht mehr da:
Ein anderes Fenster oder Programm hat sie entfernt. Sie wird hier nicht neu angelegt. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>File %1 holds the markers of a merge conflict that git left, from line %2 on.
It is shown as read, and no change is saved until &quot;Keep both sides&quot; takes them out.</source>
        <translation>Die Datei %1 enthält ab Zeile %2 die Markierungen eines Zusammenführungskonflikts, die git hinterlassen hat.
Sie wird wie gelesen angezeigt, und keine Änderung wird gespeichert, bis „Beide Seiten behalten“ sie herausnimmt.</translation>
    </message>
    <message>
        <source>
Nothing was changed.</source>
        <translation>
Es wurde nichts geändert.</translation>
    </message>
</context>
<context>
    <name>TaskPick</name>
    <message>
        <source>No task of %1 reads %2.</source>
        <translation>Keine Aufgabe in %1 lautet %2.</translation>
    </message>
    <message>
        <source>%1 has no line %2: it has %3.</source>
        <translation>%1 hat keine Zeile %2, nur %3.</translation>
    </message>
    <message>
        <source>Line %1 of %2 reads %3, not %4; nothing was changed.</source>
        <translation>Zeile %1 von %2 lautet %3, nicht %4; nichts wurde geändert.</translation>
    </message>
</context>
<context>
    <name>TaskUndoStack</name>
    <message>
        <source>Cannot redo &quot;%1&quot;:
%2</source>
        <translation>„%1“ kann nicht wiederholt werden:
%2</translation>
    </message>
    <message>
        <source>Cannot undo &quot;%1&quot;:
%2</source>
        <translation>„%1“ kann nicht rückgängig gemacht werden:
%2</translation>
    </message>
</context>
<context>
    <name>WindowsMain</name>
    <message>
        <source>The windows need a display, and none could be opened: %1. The commands need none: see &quot;corvane --help&quot;.</source>
        <translation>Die Fenster brauchen eine Anzeige, und keine ließ sich öffnen: %1. Die Befehle brauchen keine: siehe „corvane --help“.</translation>
    </message>
</context>
</TS>
