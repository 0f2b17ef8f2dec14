<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CliText</name>
    <message>
        <source>no product named “%1”; run &quot;modflash-cli products --all&quot; to list them</source>
        <translation>kein Produkt namens „%1“; „modflash-cli products --all“ listet alle auf</translation>
    </message>
    <message>
        <source>no product named “%1”; did you mean %2?</source>
        <translation>kein Produkt namens „%1“; meinten Sie %2?</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is offered only while factory firmware is enabled; add --factory to enable it for this run</source>
        <translation>„%1“ wird nur angeboten, solange Werks-Firmware aktiviert ist; mit --factory wird sie für diesen Aufruf aktiviert</translation>
    </message>
    <message>
        <source>--%1 and --%2 contradict each other; give only one</source>
        <translation>--%1 und --%2 widersprechen sich; bitte nur eine davon angeben</translation>
    </message>
    <message>
        <source>Read firmware images and tools from DIR instead of the resource directory that belongs to this program.</source>
        <translation>Firmware-Abbilder und Werkzeuge aus DIR lesen statt aus dem Ressourcenverzeichnis, das zu diesem Programm gehört.</translation>
    </message>
    <message>
        <source>Use the AVR programmer NAME for this run (%1).</source>
        <translation>Für diesen Aufruf den AVR-Programmer NAME verwenden (%1).</translation>
    </message>
    <message>
        <source>Use the ST-Link probe NAME for this run (%1).</source>
        <translation>Für diesen Aufruf den ST-Link-Adapter NAME verwenden (%1).</translation>
    </message>
    <message>
        <source>Enable factory firmware for this run.</source>
        <translation>Werks-Firmware für diesen Aufruf aktivieren.</translation>
    </message>
    <message>
        <source>Disable factory firmware for this run.</source>
        <translation>Werks-Firmware für diesen Aufruf deaktivieren.</translation>
    </message>
    <message>
        <source>Mass-erase USB DFU products before programming, for this run.</source>
        <translation>USB-DFU-Produkte vor dem Programmieren vollständig löschen, für diesen Aufruf.</translation>
    </message>
    <message>
        <source>Do not mass-erase before programming, for this run.</source>
        <translation>Vor dem Programmieren nicht vollständig löschen, für diesen Aufruf.</translation>
    </message>
    <message>
        <source>Do not read the module before writing it (the AVR chip&apos;s signature, the DFU boot loader&apos;s flash size), for this run: for unusual hardware. The image is checked all the same.</source>
        <translation>Das Modul vor dem Schreiben nicht auslesen (die Signatur des AVR-Chips, die Flash-Größe des DFU-Bootloaders), für diesen Aufruf: für ungewöhnliche Hardware. Das Abbild wird trotzdem geprüft.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Die Version anzeigen.</translation>
    </message>
    <message>
        <source>One of the subcommands above.</source>
        <translation>Einer der oben genannten Unterbefehle.</translation>
    </message>
    <message>
        <source>Shows what modflash offers and the command an update would run, and runs updates.</source>
        <translation>Zeigt, was modflash anbietet und welchen Befehl eine Aktualisierung ausführen würde, und führt Aktualisierungen aus.</translation>
    </message>
    <message>
        <source>Subcommands:</source>
        <translation>Unterbefehle:</translation>
    </message>
    <message>
        <source>PRODUCT is a title exactly as written or its page name, the image prefix without &quot;_&quot; and &quot;.&quot; (uTessary, Bruve). Factory-only products and --file need factory firmware enabled, in the preferences the window stores or with --factory. The preferences are only read: the options below apply to this run and are never stored.</source>
        <translation>PRODUCT ist ein Titel in genau dieser Schreibweise oder sein Seitenname, das Präfix der Abbilder ohne „_“ und „.“ (uTessary, Bruve). Reine Werksprodukte und --file setzen aktivierte Werks-Firmware voraus, in den Einstellungen, die das Fenster speichert, oder mit --factory. Die Einstellungen werden nur gelesen: Die folgenden Optionen gelten für diesen Aufruf und werden nie gespeichert.</translation>
    </message>
    <message>
        <source>Exit status: 0 done; 1 the command cannot be built because a resource it needs is missing (the reason is on standard error); 64 a usage mistake (an unknown product, version, option or subcommand, a missing argument, an ambiguous version, or factory firmware needed but off); 65 the checks before writing refuse the image (the reason is on standard error). update has its own: see &quot;modflash-cli update --help&quot;.</source>
        <translation>Rückgabewert: 0 erledigt; 1 der Befehl kann nicht erstellt werden, weil eine benötigte Ressource fehlt (der Grund steht in der Standardfehlerausgabe); 64 ein Bedienfehler (ein unbekanntes Produkt, eine unbekannte Version, Option oder ein unbekannter Unterbefehl, ein fehlendes Argument, eine mehrdeutige Version oder benötigte, aber deaktivierte Werks-Firmware); 65 die Prüfungen vor dem Schreiben weisen das Abbild zurück (der Grund steht in der Standardfehlerausgabe). update hat eigene: siehe „modflash-cli update --help“.</translation>
    </message>
    <message>
        <source>Run &quot;modflash-cli SUBCOMMAND --help&quot; for a subcommand&apos;s own options.</source>
        <translation>„modflash-cli SUBCOMMAND --help“ zeigt die eigenen Optionen eines Unterbefehls.</translation>
    </message>
    <message>
        <source>%1; run &quot;%2&quot; for the options</source>
        <translation>%1; „%2“ zeigt die Optionen</translation>
    </message>
    <message>
        <source>unknown programmer %1; choose one of %2</source>
        <translation>unbekannter Programmer %1; bitte einen von diesen wählen: %2</translation>
    </message>
    <message>
        <source>unknown ST-Link probe %1; choose one of %2</source>
        <translation>unbekannter ST-Link-Adapter %1; bitte einen von diesen wählen: %2</translation>
    </message>
    <message>
        <source>no product is offered: the resource directory “%1” is missing; install modflash again or give --resources DIR</source>
        <translation>kein Produkt wird angeboten: Das Ressourcenverzeichnis „%1“ fehlt; installieren Sie modflash erneut oder geben Sie --resources DIR an</translation>
    </message>
    <message>
        <source>no product is offered: the images in “%1” are all for factory-only products, which --factory offers</source>
        <translation>kein Produkt wird angeboten: Die Abbilder in „%1“ sind alle für reine Werksprodukte, die --factory anbietet</translation>
    </message>
    <message>
        <source>no product is offered: there are no firmware images in “%1”; they come from your module&apos;s maker (products --all lists every product)</source>
        <translation>kein Produkt wird angeboten: In „%1“ liegen keine Firmware-Abbilder; sie kommen vom Hersteller Ihres Moduls (products --all listet alle Produkte auf)</translation>
    </message>
    <message>
        <source>products takes no arguments, but %1 was given; run &quot;modflash-cli products --help&quot; for its usage</source>
        <translation>products nimmt keine Argumente, aber %1 wurde angegeben; „modflash-cli products --help“ zeigt den Aufruf</translation>
    </message>
    <message>
        <source>versions takes one PRODUCT, but %1 was given too; put a title with spaces in quotes</source>
        <translation>versions nimmt ein PRODUCT, aber %1 wurde zusätzlich angegeben; setzen Sie einen Titel mit Leerzeichen in Anführungszeichen</translation>
    </message>
    <message>
        <source>left out %1: its file name is not valid UTF-8; rename the file</source>
        <translation>%1 ausgelassen: Der Dateiname ist kein gültiges UTF-8; benennen Sie die Datei um</translation>
    </message>
    <message>
        <source>“%1” has no firmware images in “%2”; its images are named “%3&lt;version&gt;.%4”</source>
        <translation>„%1“ hat keine Firmware-Abbilder in „%2“; seine Abbilder heißen „%3&lt;Version&gt;.%4“</translation>
    </message>
    <message>
        <source>could not write the output: %1</source>
        <translation>die Ausgabe konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the products on offer, one title a line</source>
        <translation>die angebotenen Produkte, ein Titel je Zeile</translation>
    </message>
    <message>
        <source>Lists the products the window offers, in its order: those with firmware images, without the factory-only ones unless factory firmware is enabled.</source>
        <translation>Listet die Produkte, die das Fenster anbietet, in seiner Reihenfolge auf: die mit Firmware-Abbildern, ohne die reinen Werksprodukte, außer Werks-Firmware ist aktiviert.</translation>
    </message>
    <message>
        <source>List all products, offered or not.</source>
        <translation>Alle Produkte auflisten, ob angeboten oder nicht.</translation>
    </message>
    <message>
        <source>Print a JSON array of {title, family, prefix, chip, factoryOnly, offered, versions}.</source>
        <translation>Ein JSON-Array aus {title, family, prefix, chip, factoryOnly, offered, versions} ausgeben.</translation>
    </message>
    <message>
        <source>the firmware versions of a product, one a line</source>
        <translation>die Firmware-Versionen eines Produkts, eine je Zeile</translation>
    </message>
    <message>
        <source>Lists the versions of PRODUCT&apos;s firmware images in the order the version list shows them. PRODUCT is a title exactly as written or its page name (uTessary, Bruve).</source>
        <translation>Listet die Versionen der Firmware-Abbilder von PRODUCT in der Reihenfolge der Versionsliste auf. PRODUCT ist ein Titel in genau dieser Schreibweise oder sein Seitenname (uTessary, Bruve).</translation>
    </message>
    <message>
        <source>Print a JSON array of {version, path}.</source>
        <translation>Ein JSON-Array aus {version, path} ausgeben.</translation>
    </message>
    <message>
        <source>the command an update would run (shown, not run)</source>
        <translation>der Befehl, den eine Aktualisierung ausführen würde (angezeigt, nicht ausgeführt)</translation>
    </message>
    <message>
        <source>Shows the flashing command an update of PRODUCT with VERSION (or the image file PATH) would run, without running it: the program on the first line, then one argument a line. When a resource the command needs is missing, the reason goes to standard error and the exit status is 1; when the checks before writing refuse the image, the reason goes there and the exit status is 65.</source>
        <translation>Zeigt den Flash-Befehl, den eine Aktualisierung von PRODUCT mit VERSION (oder der Abbilddatei PATH) ausführen würde, ohne ihn auszuführen: das Programm in der ersten Zeile, dann ein Argument je Zeile. Fehlt eine Ressource, die der Befehl braucht, steht der Grund in der Standardfehlerausgabe und der Rückgabewert ist 1; weisen die Prüfungen vor dem Schreiben das Abbild zurück, steht der Grund dort und der Rückgabewert ist 65.</translation>
    </message>
    <message>
        <source>Print a JSON object {program, arguments, environment}.</source>
        <translation>Ein JSON-Objekt {program, arguments, environment} ausgeben.</translation>
    </message>
    <message>
        <source>what the checks before writing find in an image</source>
        <translation>was die Prüfungen vor dem Schreiben in einem Abbild finden</translation>
    </message>
    <message>
        <source>Reads the image of PRODUCT&apos;s VERSION (or the file PATH) as an update would before writing it and prints what it found: its format, size, address range and SHA-256, each check and its result, and the verdict. With the module check on, a connected DFU boot loader&apos;s flash size counts too. The exit status is 0 when the image would be written and 65 when it would be refused.</source>
        <translation>Liest das Abbild der VERSION von PRODUCT (oder die Datei PATH) so, wie es eine Aktualisierung vor dem Schreiben täte, und gibt aus, was es gefunden hat: Format, Größe, Adressbereich und SHA-256, jede Prüfung mit ihrem Ergebnis und das Urteil. Ist die Modulprüfung eingeschaltet, zählt auch die Flash-Größe eines angeschlossenen DFU-Bootloaders. Der Rückgabewert ist 0, wenn das Abbild geschrieben würde, und 65, wenn es zurückgewiesen würde.</translation>
    </message>
    <message>
        <source>Print a JSON object {file, format, size, dataBytes, addresses, sha256, checks, verdict, reason}.</source>
        <translation>Ein JSON-Objekt {file, format, size, dataBytes, addresses, sha256, checks, verdict, reason} ausgeben.</translation>
    </message>
    <message>
        <source>write the firmware onto the module (runs the command)</source>
        <translation>die Firmware auf das Modul schreiben (führt den Befehl aus)</translation>
    </message>
    <message>
        <source>run &quot;modflash-cli versions %1&quot; to list them</source>
        <translation>„modflash-cli versions %1“ listet sie auf</translation>
    </message>
    <message>
        <source>no version %1 of %2; %3</source>
        <translation>keine Version %1 von %2; %3</translation>
    </message>
    <message>
        <source>version %1 of %2 names more than one image: %3; choose one with --file PATH (with --factory)</source>
        <translation>Version %1 von %2 bezeichnet mehr als ein Abbild: %3; wählen Sie eines mit --file PATH (mit --factory)</translation>
    </message>
    <message>
        <source>no file %1; give the path of a firmware image</source>
        <translation>keine Datei %1; geben Sie den Pfad eines Firmware-Abbilds an</translation>
    </message>
    <message>
        <source>%1 is not a file; give the path of a firmware image</source>
        <translation>%1 ist keine Datei; geben Sie den Pfad eines Firmware-Abbilds an</translation>
    </message>
    <message>
        <source>%1 is not a .%2 file, the image type of %3; give a .%2 file</source>
        <translation>%1 ist keine .%2-Datei, der Abbildtyp von %3; geben Sie eine .%2-Datei an</translation>
    </message>
    <message>
        <source>Write an image that only a plausibility rule refuses (its vector table, its size); needs factory firmware enabled. A malformed image is never written.</source>
        <translation>Ein Abbild schreiben, das nur eine Plausibilitätsregel zurückweist (seine Vektortabelle, seine Größe); setzt aktivierte Werks-Firmware voraus. Ein fehlerhaftes Abbild wird nie geschrieben.</translation>
    </message>
    <message>
        <source>Use the image file PATH instead of a VERSION (needs factory firmware enabled).</source>
        <translation>Die Abbilddatei PATH statt einer VERSION verwenden (setzt aktivierte Werks-Firmware voraus).</translation>
    </message>
    <message>
        <source>%1 needs a PRODUCT and a VERSION (or --file PATH); run &quot;modflash-cli products&quot; to list the products</source>
        <translation>%1 braucht ein PRODUCT und eine VERSION (oder --file PATH); „modflash-cli products“ listet die Produkte auf</translation>
    </message>
    <message>
        <source>%1 takes a PRODUCT and a VERSION, but %2 was given too; put a title with spaces in quotes</source>
        <translation>%1 nimmt ein PRODUCT und eine VERSION, aber %2 wurde zusätzlich angegeben; setzen Sie einen Titel mit Leerzeichen in Anführungszeichen</translation>
    </message>
    <message>
        <source>%1 needs a VERSION of %2 or --file PATH; %3</source>
        <translation>%1 braucht eine VERSION von %2 oder --file PATH; %3</translation>
    </message>
    <message>
        <source>argument %1 (&quot;%2&quot;) is not valid UTF-8; rename the file it names</source>
        <translation>Argument %1 („%2“) ist kein gültiges UTF-8; benennen Sie die Datei um, die es bezeichnet</translation>
    </message>
    <message>
        <source>no directory &quot;%1&quot; for --resources; give the path of a resource directory</source>
        <translation>kein Verzeichnis „%1“ für --resources; geben Sie den Pfad eines Ressourcenverzeichnisses an</translation>
    </message>
    <message>
        <source>the command cannot be built: %1</source>
        <translation>der Befehl kann nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>another update is running</source>
        <translation>eine andere Aktualisierung läuft</translation>
    </message>
    <message>
        <source>Writes VERSION of PRODUCT (or the image file PATH) onto the module by running the command that &quot;modflash-cli command&quot; shows, and prints what the window&apos;s log shows: the command, the tool&apos;s output as it arrives and the verdict. Ctrl-C, SIGTERM or SIGHUP (the terminal closing) asks the tool to end and the verdict follows; a second one, or 5 seconds without an end, kills the tool. While the tool runs, the machine is kept from suspending, and when standard output and standard error are both a terminal, a line on standard error shows the tool&apos;s phase and progress.

Before anything is written the image is checked (see &quot;modflash-cli check&quot;) and, with the module check on, an AVR module&apos;s chip is read: a module of another product is refused.

Exit status: 0 the update completed; 1 the tool failed; 2 the update could not run (a resource is missing or the tool cannot start; the reason is on standard error); 64 a usage mistake; 65 the checks before writing refused the image or the module (the reason is on standard error; nothing was written); 75 another update of this user is running (it is named on standard error); 128+N when signal N stopped the update (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP), once the verdict is printed. A failure to write the output is reported on standard error and does not change the exit status.</source>
        <translation>Schreibt VERSION von PRODUCT (oder die Abbilddatei PATH) auf das Modul, indem es den Befehl ausführt, den „modflash-cli command“ zeigt, und gibt aus, was das Protokoll des Fensters zeigt: den Befehl, die Ausgabe des Werkzeugs, sobald sie eintrifft, und das Ergebnis. Strg-C, SIGTERM oder SIGHUP (das Terminal wird geschlossen) bittet das Werkzeug, sich zu beenden, und das Ergebnis folgt; ein zweites Signal oder 5 Sekunden ohne Ende beenden das Werkzeug zwangsweise. Solange das Werkzeug läuft, wird der Bereitschaftsmodus des Rechners verhindert, und wenn Standardausgabe und Standardfehlerausgabe beide ein Terminal sind, zeigt eine Zeile in der Standardfehlerausgabe Phase und Fortschritt des Werkzeugs.

Bevor etwas geschrieben wird, wird das Abbild geprüft (siehe „modflash-cli check“) und bei eingeschalteter Modulprüfung der Chip eines AVR-Moduls ausgelesen: Ein Modul eines anderen Produkts wird zurückgewiesen.

Rückgabewert: 0 die Aktualisierung ist abgeschlossen; 1 das Werkzeug ist gescheitert; 2 die Aktualisierung konnte nicht laufen (eine Ressource fehlt oder das Werkzeug lässt sich nicht starten; der Grund steht in der Standardfehlerausgabe); 64 ein Bedienfehler; 65 die Prüfungen vor dem Schreiben haben das Abbild oder das Modul zurückgewiesen (der Grund steht in der Standardfehlerausgabe; nichts wurde geschrieben); 75 eine andere Aktualisierung dieses Benutzers läuft (sie wird in der Standardfehlerausgabe genannt); 128+N, wenn Signal N die Aktualisierung gestoppt hat (130 für Strg-C, 143 für SIGTERM, 129 für SIGHUP), sobald das Ergebnis ausgegeben ist. Ein Fehler beim Schreiben der Ausgabe wird in der Standardfehlerausgabe gemeldet und ändert den Rückgabewert nicht.</translation>
    </message>
    <message>
        <source>“%1” fits more than one product: %2; give the title as written, in quotes</source>
        <translation>„%1“ passt zu mehr als einem Produkt: %2; bitte den Titel so angeben, wie er geschrieben wird, in Anführungszeichen</translation>
    </message>
    <message>
        <source>Read the module before writing it (the AVR chip&apos;s signature, the DFU boot loader&apos;s flash size), for this run, whatever the preferences say.</source>
        <translation>Das Modul vor dem Schreiben auslesen (die Signatur des AVR-Chips, die Flash-Größe des DFU-Bootloaders), für diesen Aufruf, unabhängig von den Einstellungen.</translation>
    </message>
    <message>
        <source>%1; did you mean %2?</source>
        <translation>%1; meinten Sie %2?</translation>
    </message>
    <message>
        <source>unknown subcommand %1</source>
        <translation>unbekannter Unterbefehl %1</translation>
    </message>
    <message>
        <source>run &quot;modflash-cli --help&quot; to list them</source>
        <translation>„modflash-cli --help“ listet sie auf</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>run &quot;%1&quot; for the options</source>
        <translation>„%1“ zeigt die Optionen</translation>
    </message>
    <message>
        <source>help takes one SUBCOMMAND, but %1 was given too; run &quot;modflash-cli help&quot; to list them</source>
        <translation>help nimmt einen SUBCOMMAND, aber auch %1 wurde angegeben; „modflash-cli help“ listet sie auf</translation>
    </message>
    <message>
        <source>Print the command as one line for a POSIX shell: the environment&apos;s assignments, the program and its arguments, each quoted where the shell needs it.</source>
        <translation>Den Befehl als eine Zeile für eine POSIX-Shell ausgeben: die Zuweisungen der Umgebung, das Programm und seine Argumente, jedes in Anführungszeichen, wo die Shell es braucht.</translation>
    </message>
    <message>
        <source>this help, or a subcommand&apos;s</source>
        <translation>diese Hilfe oder die eines Unterbefehls</translation>
    </message>
    <message>
        <source>Shows the general help, as --help does, or SUBCOMMAND&apos;s own, as &quot;modflash-cli SUBCOMMAND --help&quot; does.</source>
        <translation>Zeigt die allgemeine Hilfe wie --help oder die des SUBCOMMAND wie „modflash-cli SUBCOMMAND --help“.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>&amp;Product:</source>
        <translation>&amp;Produkt:</translation>
    </message>
    <message>
        <source>&amp;Version:</source>
        <translation>&amp;Version:</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;AVR programmer:</source>
        <translation>AV&amp;R-Programmer:</translation>
    </message>
    <message>
        <source>S&amp;T-Link probe:</source>
        <translation>S&amp;T-Link-Adapter:</translation>
    </message>
    <message>
        <source>Enable factor&amp;y firmware</source>
        <translation>&amp;Werks-Firmware aktivieren</translation>
    </message>
    <message>
        <source>&amp;Mass erase before programming</source>
        <translation>Vor dem Programmieren vollständig lösche&amp;n</translation>
    </message>
    <message>
        <source>Chec&amp;k the module before writing</source>
        <translation>Modul vor dem Schreiben prü&amp;fen</translation>
    </message>
    <message>
        <source>Before writing an AVR module, read its chip&apos;s signature and refuse a module of another product</source>
        <translation>Vor dem Schreiben eines AVR-Moduls die Signatur seines Chips lesen und ein Modul eines anderen Produkts zurückweisen</translation>
    </message>
    <message>
        <source>O&amp;nline Help</source>
        <translation>Online-Hilf&amp;e</translation>
    </message>
    <message>
        <source>Open the firmware updates page in your web browser</source>
        <translation>Die Seite mit Firmware-Aktualisierungen im Webbrowser öffnen</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>Anle&amp;itung</translation>
    </message>
    <message>
        <source>L&amp;og</source>
        <translation>Pr&amp;otokoll</translation>
    </message>
    <message>
        <source>&amp;Copy Log</source>
        <translation>Protokoll &amp;kopieren</translation>
    </message>
    <message>
        <source>Copy the whole log to the clipboard</source>
        <translation>Das ganze Protokoll in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>Protoko&amp;ll speichern …</translation>
    </message>
    <message>
        <source>Save the whole log as a text file</source>
        <translation>Das ganze Protokoll als Textdatei speichern</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Save Log...</source>
        <translation>Protokoll &amp;speichern …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;About modflash</source>
        <translation>&amp;Über modflash</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[Optionen]</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose a Firmware Image</source>
        <translation>Firmware-Abbild auswählen</translation>
    </message>
    <message>
        <source>Firmware images (*.%1)</source>
        <translation>Firmware-Abbilder (*.%1)</translation>
    </message>
    <message>
        <source>Save the Log</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>modflash</name>
    <message>
        <source>Use the resource directory DIR instead of the one beside the program.</source>
        <translation>Das Ressourcenverzeichnis DIR statt des Verzeichnisses neben dem Programm verwenden.</translation>
    </message>
    <message>
        <source>Updates the firmware of modules.</source>
        <translation>Aktualisiert die Firmware von Modulen.</translation>
    </message>
    <message>
        <source>%1 See --help.</source>
        <translation>%1 Siehe --help.</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;; see --help</source>
        <translation>unerwartetes Argument „%1“; siehe --help</translation>
    </message>
    <message>
        <source>the resource directory &quot;%1&quot; does not exist</source>
        <translation>das Ressourcenverzeichnis „%1“ existiert nicht</translation>
    </message>
</context>
<context>
    <name>modflash::AboutDialog</name>
    <message>
        <source>About modflash</source>
        <translation>Über modflash</translation>
    </message>
    <message>
        <source>asking…</source>
        <translation>wird abgefragt …</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>cannot be run</source>
        <translation>lässt sich nicht ausführen</translation>
    </message>
    <message>
        <source>&lt;h2&gt;modflash %1&lt;/h2&gt;&lt;p&gt;Updates the firmware of modules built on AVR and STM32 chips.&lt;/p&gt;&lt;p&gt;Build date: %2&lt;br&gt;Qt %3&lt;/p&gt;&lt;p&gt;Flashing tools:&lt;br&gt;%4&lt;/p&gt;&lt;p&gt;Licensed under the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later).&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%5&quot;&gt;%5&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;h2&gt;modflash %1&lt;/h2&gt;&lt;p&gt;Aktualisiert die Firmware von Modulen mit AVR- und STM32-Chips.&lt;/p&gt;&lt;p&gt;Erstellt am: %2&lt;br&gt;Qt %3&lt;/p&gt;&lt;p&gt;Flash-Werkzeuge:&lt;br&gt;%4&lt;/p&gt;&lt;p&gt;Lizenziert unter der GNU General Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version (GPL-3.0-or-later).&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%5&quot;&gt;%5&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>modflash::AppDelegate</name>
    <message>
        <source>Not a Firmware Image</source>
        <translation>Kein Firmware-Abbild</translation>
    </message>
    <message>
        <source>“%1” is not a .%2 file, so it is not an image for %3. Choose a file ending in .%2.</source>
        <translation>„%1“ ist keine .%2-Datei und damit kein Abbild für %3. Wählen Sie eine Datei mit der Endung .%2.</translation>
    </message>
    <message>
        <source>&lt;h1&gt;modflash cannot find its resources&lt;/h1&gt;&lt;p&gt;The directory that should hold the firmware images, the instructions and the flashing tools is missing: %1&lt;/p&gt;&lt;p&gt;Install modflash again, or start it with &lt;tt&gt;--resources DIR&lt;/tt&gt;.&lt;/p&gt;</source>
        <translation>&lt;h1&gt;modflash findet seine Ressourcen nicht&lt;/h1&gt;&lt;p&gt;Das Verzeichnis, das die Firmware-Abbilder, die Anleitungen und die Flash-Werkzeuge enthalten sollte, fehlt: %1&lt;/p&gt;&lt;p&gt;Installieren Sie modflash erneut oder starten Sie es mit &lt;tt&gt;--resources DIR&lt;/tt&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h1&gt;No firmware images are installed&lt;/h1&gt;&lt;p&gt;modflash offers the products it has firmware images for, and it finds none in %1.&lt;/p&gt;&lt;p&gt;The images come with the modflash package of your module&apos;s maker or from the maker&apos;s firmware download; put them into that directory.%2&lt;/p&gt;</source>
        <translation>&lt;h1&gt;Keine Firmware-Abbilder installiert&lt;/h1&gt;&lt;p&gt;modflash bietet die Produkte an, für die es Firmware-Abbilder hat, und findet in %1 keine.&lt;/p&gt;&lt;p&gt;Die Abbilder kommen mit dem modflash-Paket des Herstellers Ihres Moduls oder aus dessen Firmware-Download; legen Sie sie in dieses Verzeichnis.%2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Write This Image?</source>
        <translation>Dieses Abbild schreiben?</translation>
    </message>
    <message>
        <source>%1.

Write it all the same only if you know it is right for this module.</source>
        <translation>%1.

Schreiben Sie es nur dann trotzdem, wenn Sie wissen, dass es für dieses Modul richtig ist.</translation>
    </message>
    <message>
        <source>Write It</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source> Products for factory firmware appear once “Enable factory firmware” is on.</source>
        <translation> Produkte für Werks-Firmware erscheinen, sobald „Werks-Firmware aktivieren“ eingeschaltet ist.</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
</context>
<context>
    <name>modflash::BuildInfo</name>
    <message>
        <source>Build date: %1</source>
        <translation>Erstellt am: %1</translation>
    </message>
</context>
<context>
    <name>modflash::DevicePresence</name>
    <message>
        <source>, %1 flash</source>
        <translation>, %1 Flash</translation>
    </message>
    <message>
        <source>USB devices cannot be listed on this computer, so modflash cannot check for the %1</source>
        <translation>USB-Geräte lassen sich auf diesem Rechner nicht auflisten, daher kann modflash nicht prüfen, ob ein %1 angeschlossen ist</translation>
    </message>
</context>
<context>
    <name>modflash::DeviceRequirement</name>
    <message>
        <source>programmer</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>connect it by USB, or choose the %1 you use in the preferences</source>
        <translation>Schließen Sie ihn per USB an oder wählen Sie in den Einstellungen den %1, den Sie verwenden</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;</source>
        <translation>%1 „%2“</translation>
    </message>
    <message>
        <source>an %1</source>
        <translation>ein %1</translation>
    </message>
    <message>
        <source>a %1</source>
        <translation>ein %1</translation>
    </message>
    <message>
        <source>DFU boot loader</source>
        <translation>DFU-Bootloader</translation>
    </message>
    <message>
        <source>put the module into its boot loader mode as the instructions say</source>
        <translation>Versetzen Sie das Modul wie in der Anleitung beschrieben in den Bootloader-Modus</translation>
    </message>
    <message>
        <source>modflash does not know the USB id of the %1, so it cannot tell whether it is connected</source>
        <translation>modflash kennt die USB-ID für %1 nicht und kann daher nicht feststellen, ob er angeschlossen ist</translation>
    </message>
    <message>
        <source>%1 found (USB %2)</source>
        <translation>%1 gefunden (USB %2)</translation>
    </message>
    <message>
        <source>No %1 found, but %2 is connected: choose &quot;%3&quot; as the %4 in the preferences</source>
        <translation>Kein %1 gefunden, aber %2 ist angeschlossen: Wählen Sie in den Einstellungen „%3“ als %4</translation>
    </message>
    <message>
        <source>No %1 found: %2</source>
        <translation>Kein %1 gefunden: %2</translation>
    </message>
    <message>
        <source>probe</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>%1 found, but this user may not open it (USB %2)</source>
        <translation>%1 gefunden, aber dieser Benutzer darf ihn nicht öffnen (USB %2)</translation>
    </message>
    <message>
        <source>The module left its %1 after the update, as it should</source>
        <translation>Das Modul hat seinen %1 nach der Aktualisierung verlassen, wie es soll</translation>
    </message>
</context>
<context>
    <name>modflash::FamilyProfile</name>
    <message>
        <source>Connect the programmer by USB, and choose the one you use in the preferences.</source>
        <translation>Schließen Sie den Programmer per USB an und wählen Sie in den Einstellungen den, den Sie verwenden.</translation>
    </message>
    <message>
        <source>The module does not answer: check that the ISP cable sits with its red stripe on pin 1 and that the module&apos;s supply is on.</source>
        <translation>Das Modul antwortet nicht: Prüfen Sie, ob das ISP-Kabel mit dem roten Streifen auf Pin 1 sitzt und ob die Versorgung des Moduls eingeschaltet ist.</translation>
    </message>
    <message>
        <source>The module reads back other data than was written: write it again, and check the ISP cable and the module&apos;s supply.</source>
        <translation>Das Modul liefert beim Zurücklesen andere Daten, als geschrieben wurden: Schreiben Sie es erneut und prüfen Sie das ISP-Kabel und die Versorgung des Moduls.</translation>
    </message>
    <message>
        <source>Check the ISP cable (red stripe to pin 1), the module&apos;s supply and the programmer chosen in the preferences.</source>
        <translation>Prüfen Sie das ISP-Kabel (roter Streifen an Pin 1), die Versorgung des Moduls und den in den Einstellungen gewählten Programmer.</translation>
    </message>
    <message>
        <source>Put the module into its boot loader mode as its instructions say, and try another USB cable.</source>
        <translation>Versetzen Sie das Modul wie in seiner Anleitung beschrieben in den Bootloader-Modus und versuchen Sie ein anderes USB-Kabel.</translation>
    </message>
    <message>
        <source>The boot loader stopped answering: switch the module off and on in its boot loader mode, then update again.</source>
        <translation>Der Bootloader antwortet nicht mehr: Schalten Sie das Modul im Bootloader-Modus aus und wieder ein und aktualisieren Sie dann erneut.</translation>
    </message>
    <message>
        <source>The module reads back other data than was written: update again.</source>
        <translation>Das Modul liefert beim Zurücklesen andere Daten, als geschrieben wurden: Aktualisieren Sie erneut.</translation>
    </message>
    <message>
        <source>Connect the ST-Link probe by USB, and choose the one you use in the preferences.</source>
        <translation>Schließen Sie den ST-Link-Adapter per USB an und wählen Sie in den Einstellungen den, den Sie verwenden.</translation>
    </message>
    <message>
        <source>The module does not answer: check the SWD cable and that the module is powered.</source>
        <translation>Das Modul antwortet nicht: Prüfen Sie das SWD-Kabel und ob das Modul mit Strom versorgt ist.</translation>
    </message>
    <message>
        <source>The module reads back other data than was written: write it again, and check the SWD cable.</source>
        <translation>Das Modul liefert beim Zurücklesen andere Daten, als geschrieben wurden: Schreiben Sie es erneut und prüfen Sie das SWD-Kabel.</translation>
    </message>
    <message>
        <source>Check the SWD cable, the module&apos;s power and the ST-Link probe chosen in the preferences.</source>
        <translation>Prüfen Sie das SWD-Kabel, die Stromversorgung des Moduls und den in den Einstellungen gewählten ST-Link-Adapter.</translation>
    </message>
</context>
<context>
    <name>modflash::FirmwareDropHandler</name>
    <message>
        <source>Only a firmware image file can be dropped here.</source>
        <translation>Hier kann nur eine Firmware-Abbilddatei abgelegt werden.</translation>
    </message>
    <message>
        <source>Drop one firmware image at a time.</source>
        <translation>Bitte jeweils nur ein Firmware-Abbild ablegen.</translation>
    </message>
    <message>
        <source>An update is running; drop the image again once it has ended.</source>
        <translation>Eine Aktualisierung läuft; legen Sie das Abbild erneut ab, wenn sie beendet ist.</translation>
    </message>
    <message>
        <source>Choose the product first, then drop its image.</source>
        <translation>Wählen Sie zuerst das Produkt und legen Sie dann sein Abbild ab.</translation>
    </message>
    <message>
        <source>Only files on this computer can be used; save the image first.</source>
        <translation>Nur Dateien auf diesem Rechner können verwendet werden; speichern Sie das Abbild zuerst.</translation>
    </message>
    <message>
        <source>“%1” is not a file.</source>
        <translation>„%1“ ist keine Datei.</translation>
    </message>
    <message>
        <source>“%1” is not a .%2 file, so it is not an image for %3.</source>
        <translation>„%1“ ist keine .%2-Datei und damit kein Abbild für %3.</translation>
    </message>
    <message>
        <source>Updating from a file of your own needs “Enable factory firmware” in the preferences.</source>
        <translation>Die Aktualisierung aus einer eigenen Datei erfordert „Werks-Firmware aktivieren“ in den Einstellungen.</translation>
    </message>
</context>
<context>
    <name>modflash::HelpCommands</name>
    <message>
        <source>No Web Browser</source>
        <translation>Kein Webbrowser</translation>
    </message>
    <message>
        <source>modflash could not open a web browser for this page. Copy its address into a web browser, on this computer or another:

%1

The user guide that comes with modflash is under Help &gt; User Guide (F1).</source>
        <translation>modflash konnte für diese Seite keinen Webbrowser öffnen. Kopieren Sie ihre Adresse in einen Webbrowser, auf diesem oder einem anderen Rechner:

%1

Das Benutzerhandbuch, das mit modflash kommt, finden Sie unter Hilfe &gt; Benutzerhandbuch (F1).</translation>
    </message>
</context>
<context>
    <name>modflash::ImageLine</name>
    <message>
        <source>%1, %2 bytes, SHA-256 %3</source>
        <translation>%1, %2 Bytes, SHA-256 %3</translation>
    </message>
    <message>
        <source>Sample image, not real firmware: %1</source>
        <translation>Beispielabbild, keine echte Firmware: %1</translation>
    </message>
    <message>
        <source>%1. With factory firmware enabled it can be written all the same.</source>
        <translation>%1. Mit aktivierter Werks-Firmware kann es trotzdem geschrieben werden.</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Zurückgewiesen: %1</translation>
    </message>
</context>
<context>
    <name>modflash::LogExport</name>
    <message>
        <source>The Log Was Not Saved</source>
        <translation>Das Protokoll wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>The log could not be saved as “%1”: %2.</source>
        <translation>Das Protokoll konnte nicht als „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>modflash %1 log, saved %2
</source>
        <translation>modflash-%1-Protokoll, gespeichert %2
</translation>
    </message>
    <message>
        <source>Product: %1
</source>
        <translation>Produkt: %1
</translation>
    </message>
    <message>
        <source>none chosen</source>
        <translation>keines gewählt</translation>
    </message>
    <message>
        <source>Version: %1
</source>
        <translation>Version: %1
</translation>
    </message>
    <message>
        <source>Preferences: %1
</source>
        <translation>Einstellungen: %1
</translation>
    </message>
</context>
<context>
    <name>modflash::LogTextView</name>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>modflash::MainWindow</name>
    <message>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <source>Instructions and log</source>
        <translation>Anleitung und Protokoll</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>Fortschritt der Aktualisierung</translation>
    </message>
    <message>
        <source>Update status</source>
        <translation>Stand der Aktualisierung</translation>
    </message>
    <message>
        <source>Device status</source>
        <translation>Gerätestatus</translation>
    </message>
</context>
<context>
    <name>modflash::ProductListModel</name>
    <message>
        <source>Select a product</source>
        <translation>Produkt auswählen</translation>
    </message>
</context>
<context>
    <name>modflash::Programmers</name>
    <message>
        <source>USBtiny programmer</source>
        <translation>USBtiny-Programmer</translation>
    </message>
    <message>
        <source>AVRISP mkII programmer</source>
        <translation>AVRISP-mkII-Programmer</translation>
    </message>
    <message>
        <source>USBasp programmer</source>
        <translation>USBasp-Programmer</translation>
    </message>
    <message>
        <source>ST-Link v2 probe</source>
        <translation>ST-Link-v2-Adapter</translation>
    </message>
    <message>
        <source>ST-Link v2-1 probe</source>
        <translation>ST-Link-v2-1-Adapter</translation>
    </message>
</context>
<context>
    <name>modflash::QuitGuard</name>
    <message>
        <source>Stop the Update?</source>
        <translation>Aktualisierung abbrechen?</translation>
    </message>
    <message>
        <source>An update is running. Stopping it now may leave the module without working firmware.</source>
        <translation>Eine Aktualisierung läuft. Wird sie jetzt abgebrochen, bleibt das Modul womöglich ohne funktionierende Firmware.</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Abbrechen und beenden</translation>
    </message>
    <message>
        <source>Keep Updating</source>
        <translation>Weiter aktualisieren</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateLock</name>
    <message>
        <source>another update is running: %1process %2</source>
        <translation>eine andere Aktualisierung läuft: %1Prozess %2</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateSession</name>
    <message>
        <source>Stopping the update: waiting for the tool to end</source>
        <translation>Aktualisierung wird abgebrochen: Warten, bis das Werkzeug endet</translation>
    </message>
</context>
<context>
    <name>modflash::UpdateStatusPanel</name>
    <message>
        <source>Starting</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>%1 %p%</source>
        <translation>%1 %p %</translation>
    </message>
    <message>
        <source>%1 %p% – done</source>
        <translation>%1 %p % – fertig</translation>
    </message>
    <message>
        <source>%1 – failed</source>
        <translation>%1 – fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 %p% – failed</source>
        <translation>%1 %p % – fehlgeschlagen</translation>
    </message>
    <message>
        <source>%p% – done</source>
        <translation>%p % – fertig</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>%1 – stopped</source>
        <translation>%1 – gestoppt</translation>
    </message>
    <message>
        <source>%1 %p% – stopped</source>
        <translation>%1 %p % – gestoppt</translation>
    </message>
</context>
<context>
    <name>modflash::UsbAccess</name>
    <message>
        <source>This user may not open the %1: give access to it with a udev rule as USB ACCESS in modflash(1) says, then plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen: Erlauben Sie den Zugriff mit einer udev-Regel, wie es der Abschnitt USB ACCESS in modflash(1) beschreibt, und stecken Sie das Gerät dann erneut ein.</translation>
    </message>
    <message>
        <source>This user may not open the %1. The udev rule in %2 gives the user at the computer access to it: unplug it and plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen. Die udev-Regel in %2 gibt dem Benutzer am Rechner Zugriff darauf: Ziehen Sie das Gerät ab und stecken Sie es wieder ein.</translation>
    </message>
    <message>
        <source>This user may not open the %1, and no udev rule on this computer gives access to it: add the line %2 to /etc/udev/rules.d/70-modflash.rules, run &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot;, then plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen, und keine udev-Regel auf diesem Rechner erlaubt den Zugriff darauf: Fügen Sie die Zeile %2 in /etc/udev/rules.d/70-modflash.rules ein, führen Sie „sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger“ aus und stecken Sie das Gerät dann erneut ein.</translation>
    </message>
    <message>
        <source>This user may not open the USB device: give access to it with a udev rule as USB ACCESS in modflash(1) says, then plug it in again.</source>
        <translation>Dieser Benutzer darf das USB-Gerät nicht öffnen: Erlauben Sie den Zugriff mit einer udev-Regel, wie es der Abschnitt USB ACCESS in modflash(1) beschreibt, und stecken Sie das Gerät dann erneut ein.</translation>
    </message>
    <message>
        <source>This user may not open the %1. The udev rule in %2 gives the group %3 access to it: add this user to the group (&quot;sudo usermod -aG %3 $USER&quot;), log in again, then unplug it and plug it in again.</source>
        <translation>Dieser Benutzer darf das Gerät „%1“ nicht öffnen. Die udev-Regel in %2 gibt der Gruppe %3 Zugriff darauf: Nehmen Sie diesen Benutzer in die Gruppe auf („sudo usermod -aG %3 $USER“), melden Sie sich erneut an, ziehen Sie dann das Gerät ab und stecken Sie es wieder ein.</translation>
    </message>
</context>
<context>
    <name>modflash::UserGuide</name>
    <message>
        <source>en</source>
        <comment>folder of the user guide in this language, data/guide/*</comment>
        <translation>de</translation>
    </message>
    <message>
        <source>modflash User Guide</source>
        <translation>modflash-Benutzerhandbuch</translation>
    </message>
    <message>
        <source>User guide page</source>
        <translation>Seite des Benutzerhandbuchs</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>C&amp;ontents</source>
        <translation>&amp;Inhalt</translation>
    </message>
</context>
<context>
    <name>modflash::VerdictSummary</name>
    <message>
        <source>Update completed</source>
        <translation>Aktualisierung abgeschlossen</translation>
    </message>
    <message>
        <source>Updating: %1</source>
        <translation>Aktualisierung: %1</translation>
    </message>
    <message>
        <source>Update failed: %1</source>
        <translation>Aktualisierung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Update refused: %1</source>
        <translation>Aktualisierung zurückgewiesen: %1</translation>
    </message>
    <message>
        <source>Update stopped: %1 was stopped before it finished</source>
        <translation>Aktualisierung abgebrochen: %1 wurde vor dem Ende gestoppt</translation>
    </message>
    <message>
        <source>%1 ended abnormally before it finished</source>
        <translation>%1 endete unerwartet vor dem Ende</translation>
    </message>
    <message>
        <source>%1 ended abnormally before it finished (%2)</source>
        <translation>%1 endete unerwartet vor dem Ende (%2)</translation>
    </message>
    <message>
        <source>%1 ended with exit status %2</source>
        <translation>%1 endete mit Rückgabewert %2</translation>
    </message>
    <message>
        <source>Update failed: %1 %2</source>
        <translation>Aktualisierung fehlgeschlagen: %1 %2</translation>
    </message>
    <message>
        <source>it was stopped</source>
        <translation>es wurde gestoppt</translation>
    </message>
    <message>
        <source>it ended abnormally</source>
        <translation>es endete unerwartet</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>Rückgabewert %1</translation>
    </message>
    <message>
        <source>The image was written completely; %1 reported an error only after the download had finished, while leaving DFU mode (%2). Restart the module to run the new firmware.</source>
        <translation>Das Abbild wurde vollständig geschrieben; %1 meldete erst nach dem Abschluss der Übertragung einen Fehler, beim Verlassen des DFU-Modus (%2). Starten Sie das Modul neu, um die neue Firmware auszuführen.</translation>
    </message>
    <message>
        <source>The image was written completely; %1 reported an error only after the download had finished (%2). Restart the module to run the new firmware.</source>
        <translation>Das Abbild wurde vollständig geschrieben; %1 meldete erst nach dem Abschluss der Übertragung einen Fehler (%2). Starten Sie das Modul neu, um die neue Firmware auszuführen.</translation>
    </message>
    <message>
        <source>Update stopped while the module was being checked: nothing was written</source>
        <translation>Aktualisierung während der Prüfung des Moduls angehalten: nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>Update failed: %1 Nothing was written.</source>
        <translation>Aktualisierung fehlgeschlagen: %1 Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Nichts wurde geschrieben.</translation>
    </message>
</context>
<context>
    <name>modflash::VersionList</name>
    <message>
        <source>Select a version</source>
        <translation>Version auswählen</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere …</translation>
    </message>
    <message>
        <source>%1 (sample)</source>
        <translation>%1 (Beispiel)</translation>
    </message>
</context>
</TS>
