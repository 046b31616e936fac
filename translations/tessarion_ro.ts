<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ro">
<context>
    <name>Accessibility</name>
    <message>
        <source>Mass on a spring</source>
        <translation>Corp pe un resort</translation>
    </message>
    <message>
        <source>A mass on a spring that moves up and down with the phase, beside a scale from -A to +A, with a green bar for the displacement</source>
        <translation>Un corp pe un resort, care urcă și coboară odată cu faza, lângă o scală de la -A la +A, cu o bară verde pentru elongație</translation>
    </message>
    <message>
        <source>Amplitude down</source>
        <translation>Micșorează amplitudinea</translation>
    </message>
    <message>
        <source>Decrease the amplitude by 1, down to 0</source>
        <translation>Micșorează amplitudinea cu 1, până la 0</translation>
    </message>
    <message>
        <source>Amplitude up</source>
        <translation>Mărește amplitudinea</translation>
    </message>
    <message>
        <source>Increase the amplitude by 1, up to %1</source>
        <translation>Mărește amplitudinea cu 1, până la %1</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitudine</translation>
    </message>
    <message>
        <source>Frequency down</source>
        <translation>Micșorează frecvența</translation>
    </message>
    <message>
        <source>Decrease the frequency by 1 degree per step, down to 0</source>
        <translation>Micșorează frecvența cu 1 grad pe pas, până la 0</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frecvență</translation>
    </message>
    <message>
        <source>Frequency up</source>
        <translation>Mărește frecvența</translation>
    </message>
    <message>
        <source>Increase the frequency by 1 degree per step, up to %1</source>
        <translation>Mărește frecvența cu 1 grad pe pas, până la %1</translation>
    </message>
    <message>
        <source>Start the animation</source>
        <translation>Pornește animația</translation>
    </message>
    <message>
        <source>Start the animation: every %1 ms the phase grows by the frequency</source>
        <translation>Pornește animația: la fiecare %1 ms faza crește cu frecvența</translation>
    </message>
    <message>
        <source>Stop the animation</source>
        <translation>Oprește animația</translation>
    </message>
    <message>
        <source>Stop the animation at the current phase</source>
        <translation>Oprește animația la faza curentă</translation>
    </message>
    <message>
        <source>Phase down</source>
        <translation>Micșorează faza</translation>
    </message>
    <message>
        <source>Decrease the phase by 1 degree</source>
        <translation>Micșorează faza cu 1 grad</translation>
    </message>
    <message>
        <source>Phase up</source>
        <translation>Mărește faza</translation>
    </message>
    <message>
        <source>Increase the phase by 1 degree</source>
        <translation>Mărește faza cu 1 grad</translation>
    </message>
    <message>
        <source>Phase in degrees</source>
        <translation>Faza în grade</translation>
    </message>
    <message>
        <source>Phase in radians</source>
        <translation>Faza în radiani</translation>
    </message>
    <message>
        <source>Phase in percent of a turn</source>
        <translation>Faza în procente dintr-o rotație</translation>
    </message>
    <message>
        <source>Reset the phase</source>
        <translation>Readu faza la zero</translation>
    </message>
    <message>
        <source>Set the phase back to 0; a running animation goes on</source>
        <translation>Readu faza la 0; animația pornită continuă</translation>
    </message>
    <message>
        <source>Pendulum</source>
        <translation>Pendul</translation>
    </message>
    <message>
        <source>A pendulum whose bob swings left and right with the phase, above a scale from -A to +A, with a green bar for the displacement</source>
        <translation>Un pendul al cărui corp se leagănă la stânga și la dreapta odată cu faza, deasupra unei scale de la -A la +A, cu o bară verde pentru elongație</translation>
    </message>
    <message>
        <source>Rotating vector</source>
        <translation>Vector rotitor</translation>
    </message>
    <message>
        <source>A vector turning on a circle with the phase, with its cosine in yellow along the X axis and its sine in green along the Y axis</source>
        <translation>Un vector care se rotește pe un cerc odată cu faza, cu cosinusul în galben pe axa X și sinusul în verde pe axa Y</translation>
    </message>
    <message>
        <source>Sine of the phase</source>
        <translation>Sinusul fazei</translation>
    </message>
    <message>
        <source>Cosine of the phase</source>
        <translation>Cosinusul fazei</translation>
    </message>
    <message>
        <source>Graph of one period</source>
        <translation>Graficul unei perioade</translation>
    </message>
    <message>
        <source>The displacement over one period T as a sine curve, with a vertical marker at the current phase</source>
        <translation>Elongația pe durata unei perioade T, ca sinusoidă, cu un marcaj vertical la faza curentă</translation>
    </message>
    <message>
        <source>The mass is %1 above its rest position, %2 % of the amplitude.</source>
        <translation>Corpul este cu %1 deasupra poziției de repaus, la %2 % din amplitudine.</translation>
    </message>
    <message>
        <source>The mass is %1 below its rest position, %2 % of the amplitude.</source>
        <translation>Corpul este cu %1 sub poziția de repaus, la %2 % din amplitudine.</translation>
    </message>
    <message>
        <source>The mass is at its rest position.</source>
        <translation>Corpul este în poziția de repaus.</translation>
    </message>
    <message>
        <source>The vector is at %1 degrees, with sine %2 and cosine %3.</source>
        <translation>Vectorul este la %1°, cu sinusul %2 și cosinusul %3.</translation>
    </message>
    <message>
        <source>The bob is %1 right of the middle, %2 % of the amplitude.</source>
        <translation>Corpul pendulului este cu %1 la dreapta mijlocului, la %2 % din amplitudine.</translation>
    </message>
    <message>
        <source>The bob is %1 left of the middle, %2 % of the amplitude.</source>
        <translation>Corpul pendulului este cu %1 la stânga mijlocului, la %2 % din amplitudine.</translation>
    </message>
    <message>
        <source>The bob hangs in the middle.</source>
        <translation>Corpul pendulului atârnă la mijloc.</translation>
    </message>
    <message>
        <source>The marker is at %1 % of the period, %2 % of the amplitude above the axis.</source>
        <translation>Marcajul este la %1 % din perioadă, la %2 % din amplitudine deasupra axei.</translation>
    </message>
    <message>
        <source>The marker is at %1 % of the period, %2 % of the amplitude below the axis.</source>
        <translation>Marcajul este la %1 % din perioadă, la %2 % din amplitudine sub axă.</translation>
    </message>
    <message>
        <source>The marker is at %1 % of the period, on the axis.</source>
        <translation>Marcajul este la %1 % din perioadă, pe axă.</translation>
    </message>
    <message>
        <source>The marker is off the graph, at %1 degrees.</source>
        <translation>Marcajul este în afara graficului, la %1°.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Shows one harmonic oscillation in four synchronized pictures.</source>
        <translation>Arată o oscilație armonică în patru imagini sincronizate.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Arată acest ajutor.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Arată versiunea.</translation>
    </message>
    <message>
        <source>number</source>
        <translation>număr</translation>
    </message>
    <message>
        <source>Starts the animation.</source>
        <translation>Pornește animația.</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>argument neașteptat: %1</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Pictures</source>
        <translation>Imagini</translation>
    </message>
    <message>
        <source>Copy picture</source>
        <translation>Copiază imaginea</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Salvează imaginea</translation>
    </message>
    <message>
        <source>Save picture as SVG</source>
        <translation>Salvează imaginea ca SVG</translation>
    </message>
    <message>
        <source>The browser does not let the page copy the picture. Use &quot;Save picture&quot; instead.</source>
        <translation>Browserul nu permite paginii să copieze imaginea. Folosiți „Salvează imaginea”.</translation>
    </message>
</context>
<context>
    <name>Preset</name>
    <message>
        <source>%1: the amplitude must be a whole number from %2 to %3, as its read-out shows it</source>
        <translation>%1: amplitudinea trebuie să fie un număr întreg de la %2 la %3, așa cum o arată afișajul ei</translation>
    </message>
    <message>
        <source>The amplitude as its read-out shows it, from %1 to %2.</source>
        <translation>Amplitudinea, așa cum o arată afișajul ei, de la %1 la %2.</translation>
    </message>
    <message>
        <source>%1: the frequency must be a whole number of degrees per tick from %2 to %3</source>
        <translation>%1: frecvența trebuie să fie un număr întreg de grade pe pas, de la %2 la %3</translation>
    </message>
    <message>
        <source>The frequency in degrees per tick, from %1 to %2.</source>
        <translation>Frecvența în grade pe pas, de la %1 la %2.</translation>
    </message>
    <message>
        <source>%1: the phase must be a whole number of degrees from %2 to %3</source>
        <translation>%1: faza trebuie să fie un număr întreg de grade, de la %2 la %3</translation>
    </message>
    <message>
        <source>The phase in whole degrees, from %1 to %2.</source>
        <translation>Faza în grade întregi, de la %1 la %2.</translation>
    </message>
    <message>
        <source>%1: start takes no value</source>
        <translation>%1: start nu primește nicio valoare</translation>
    </message>
    <message>
        <source>%1 is not a setting; the settings are amplitude, frequency, phase and start</source>
        <translation>%1 nu este o setare; setările sunt amplitude, frequency, phase și start</translation>
    </message>
</context>
<context>
    <name>StartupGuard</name>
    <message>
        <source>cannot open the window: %1</source>
        <translation>fereastra nu poate fi deschisă: %1</translation>
    </message>
    <message>
        <source>no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <translation>niciun ecran pe care să se deschidă fereastra (nici DISPLAY, nici WAYLAND_DISPLAY nu este setată)</translation>
    </message>
    <message>
        <source>no X display to open the window on (DISPLAY is not set)</source>
        <translation>niciun ecran X pe care să se deschidă fereastra (DISPLAY nu este setată)</translation>
    </message>
    <message>
        <source>cannot connect to the display %1 to open the window</source>
        <translation>nu se poate conecta la ecranul %1 pentru a deschide fereastra</translation>
    </message>
</context>
<context>
    <name>tessarion::ui::Picture</name>
    <message>
        <source>Pictures are saved as PNG or SVG. The name must end in .png or .svg.</source>
        <translation>Imaginile se salvează ca PNG sau SVG. Numele trebuie să se termine în .png sau .svg.</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Nu mai este spațiu pe disc</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Cota de spațiu pe disc a fost depășită</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Fișierul este prea mare</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permisiune refuzată</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Sistemul de fișiere permite doar citirea</translation>
    </message>
    <message>
        <source>The folder does not exist</source>
        <translation>Dosarul nu există</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Numele fișierului este prea lung</translation>
    </message>
    <message>
        <source>The picture could not be saved as
%1

%2</source>
        <translation>Imaginea nu a putut fi salvată ca
%1

%2</translation>
    </message>
    <message>
        <source>A file name cannot hold control characters, such as a line break or a tab.</source>
        <translation>Numele unui fișier nu poate conține caractere de control, cum ar fi un salt la rând nou sau un tab.</translation>
    </message>
</context>
<context>
    <name>tessarion::ui::WindowActions</name>
    <message>
        <source>&amp;Copy picture</source>
        <translation>C&amp;opiază imaginea</translation>
    </message>
    <message>
        <source>&amp;Save picture as…</source>
        <translation>&amp;Salvează imaginea ca…</translation>
    </message>
    <message>
        <source>Copy &amp;this picture</source>
        <translation>Copiază &amp;această imagine</translation>
    </message>
    <message>
        <source>Save t&amp;his picture as…</source>
        <translation>Salvează aceas&amp;tă imagine ca…</translation>
    </message>
    <message>
        <source>&amp;Full screen</source>
        <translation>&amp;Ecran complet</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>&amp;Mărește</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Mi&amp;cșorează</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>Mărime &amp;reală</translation>
    </message>
    <message>
        <source>Leave full screen</source>
        <translation>Ieși din ecranul complet</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Imagine PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>Desen SVG (*.svg)</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Salvează imaginea</translation>
    </message>
    <message>
        <source>Picture not saved</source>
        <translation>Imaginea nu a fost salvată</translation>
    </message>
</context>
</TS>
