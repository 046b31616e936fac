"""What a screen reader hears of the panels through AT-SPI, in each language of the table: at 0, 90,
200 and -1 degrees, reached by keys on the phase buttons, each panel's description has changed and
ends with the table's sentence. Exits 77 where a piece is missing. Args: <tessarion> <table.json>"""
import json, os, shutil, subprocess, sys, tempfile, time
try:
    import gi
    gi.require_version('Atspi', '2.0')
    from gi.repository import Atspi, GLib
except (ImportError, ValueError):
    sys.exit(77)
if not all(map(shutil.which, ('Xvfb', 'xdotool', 'dbus-run-session'))) or not os.path.exists(
        '/usr/share/dbus-1/services/org.a11y.Bus.service'):
    sys.exit(77)
program, table = sys.argv[1:3]
if 'TESSARION_BUS' not in os.environ:  # the display first, so that the AT-SPI registry knows it
    home = tempfile.TemporaryDirectory()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', '1', '-noreset', '-nolisten', 'tcp'],
                            stdout=subprocess.PIPE, text=True)
    env = dict(os.environ, DISPLAY=':' + xvfb.stdout.readline().strip(), HOME=home.name,
               XDG_RUNTIME_DIR=home.name, TESSARION_BUS='1')
    code = subprocess.run(['dbus-run-session', '--', sys.executable, *sys.argv], env=env)
    xvfb.terminate()
    sys.exit(code.returncode)
env = {k: v for k, v in os.environ.items() if not k.startswith(('LC_', 'LANGUAGE'))}
env.update(QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1')


def wait_for(condition, failure):
    deadline = time.monotonic() + 30
    while not (result := condition()):
        if time.monotonic() > deadline:
            sys.exit(f'FAIL: {failure()}')
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)
    return result


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


changed = set()  # the panels whose description changed since the keys
listener = Atspi.EventListener.new(lambda event: changed.add(event.source))
listener.register('object:property-change:accessible-description')
for locale, expected in json.load(open(table, encoding='utf-8')).items():
    process = subprocess.Popen([program], env=dict(env, LANG=locale.replace('-', '_') + '.UTF-8'))
    try:
        app = wait_for(lambda: next((app for app in children(Atspi.get_desktop(0))
                                     if app.get_process_id() == process.pid), None),
                       lambda: f'{locale}: the program is not on the accessibility bus')
        controls = {control.get_name(): control for control in children(children(app)[0])}
        subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--classname',
                        '^tessarion$', 'windowfocus', '--sync'], env=env, check=True)
        steps = (('phaseUp', 0), ('phaseUp', 90), ('phaseUp', 110), ('phaseDown', 201))
        for step, (button, presses) in enumerate(steps):
            controls[expected[button]].grab_focus()
            changed.clear()
            subprocess.run(['xdotool', 'key', '--delay', '2', '--repeat-delay', '3', '--repeat',
                            str(presses), 'space'] if presses else ['true'], env=env, check=True)
            for name, sentences in expected['panels'].items():
                panel = controls[name]
                # Read from the program, not from what the last event left.
                wait_for(lambda: (panel.clear_cache() or not presses or panel in changed) and
                         panel.get_description().endswith('. ' + sentences[step]),
                         lambda: f'{locale}, {presses} presses: {panel.get_description()!r}')
    finally:
        process.terminate()
        process.wait()
print('ok: every panel said what it shows at 0, 90, 200 and -1 degrees')
