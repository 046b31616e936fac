"""Makes the page's generated parts: the shell with the embedded fonts and their notice, and
the program's own texts per language, converted from the Qt translation files."""
import base64
import json
import pathlib
import sys
import xml.etree.ElementTree as ElementTree


def translations(ts_files):
    languages = {}
    for ts in ts_files:
        root = ElementTree.parse(ts).getroot()
        texts = {}
        for message in root.iter('message'):
            translation = message.find('translation')
            if translation is None or translation.get('type') in ('unfinished', 'obsolete'):
                continue
            texts[message.findtext('source')] = translation.text or ''
        languages[root.get('language').split('_')[0]] = texts
    return 'var tessarionTranslations = ' + json.dumps(languages, ensure_ascii=False) + ';\n'


def main():
    shell, font, narrow_font, notice, shell_out, translations_out, *ts_files = sys.argv[1:]
    text = pathlib.Path(shell).read_text(encoding='utf-8')
    notice_text = pathlib.Path(notice).read_text(encoding='utf-8').replace('</', '<\\/')
    for placeholder, path in (('@FONT@', font), ('@NARROW_FONT@', narrow_font)):
        text = text.replace(placeholder, base64.b64encode(pathlib.Path(path).read_bytes()).decode())
    text = text.replace('@NOTICE@', notice_text)
    pathlib.Path(shell_out).write_text(text, encoding='utf-8')
    pathlib.Path(translations_out).write_text(translations(ts_files), encoding='utf-8')


main()
