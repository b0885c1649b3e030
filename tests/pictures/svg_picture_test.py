"""The driver's vector picture against its picture of the window.

For each command line of CASES, switchsim-trace writes --png and --svg; the
SVG must parse as one SVG document of the form's size, hold vectors only (no
embedded raster), stay sharp at 4x, and rasterised at 1x by rsvg-convert
equal the PNG within the tolerance below. The comparison must also tell the
SVG apart from the PNG once damaged as DAMAGES does: a trace left out,
strokes moved, a marker left out, moved or recoloured, a red text in black.

The tolerance. Both pictures draw the same geometry, but not with the same
text renderer, so glyph edges differ by a pixel here and there. A pixel of
one picture is matched when the other has a colour within LEVEL (of 255, in
every channel) at the same place or one pixel away; each picture is checked
against the other. The pictures are equal when, both ways, the unmatched
pixels stay within BUDGETS: at most 0.4 % of the picture, no run of more than
12 across or 20 down, and at most 40 in any 16 x 16 tile. Glyph edges make
short runs (text is 18 px at most); a shape missing, moved by more than a
pixel or recoloured leaves a run as long as the shape: 41 px for a marker.
The traces hold no text, so there a pixel must match in its own row (a
pixel across is allowed for the ends of strokes): strokes a row off fail.
And the mean colour of each 16 x 16 tile may differ by at most 12 (of 255):
glyphs a pixel off keep a tile's mean, a text in another colour does not.
The measured values are printed.

Run: svg_picture_test.py SWITCHSIM_TRACE WORK_FOLDER
"""

import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
import zlib
from pathlib import Path

LEVEL = 48
TILE = 16
BUDGETS = {'share': 0.004, 'across': 12, 'down': 20, 'tile': 40, 'mean': 12}
# The traces' drawing areas (left, top, width, height in px): no text is drawn
# there, so a stroke must lie in its very row.
TRACE_AREAS = [(69, 92, 239, 444), (317, 92, 239, 444), (565, 92, 239, 444)]
SVG = '{http://www.w3.org/2000/svg}'
FORM_SIZE = (916, 657)

# Each case: the driver's options, and the damages that apply to it beyond DAMAGES.
CASES = {
    'packet_seed3': (['--technique', 'Packet', '--seed', '3'], []),
    'compare_seed5_additions': (['--compare', '--seed', '5', '--additions'], []),
    'circuit_rule_red_rates': (['--technique', 'Circuit', '--rates', '2,0.5,1', '--seed', '2'],
                               ['red_texts_black']),
}


def drop_lines_in(left, right):
    """Leaves out every stroke between x = left and x = right (one trace)."""
    def damage(svg):
        def keep(match):
            x1 = float(match.group(1))
            return '' if left <= x1 <= right else match.group(0)
        return re.sub(r'<line x1="([\d.]+)" y1="[\d.]+" x2="[\d.]+" y2="[\d.]+" '
                      r'stroke="#(?!404040|969696|606060|5b5b5b|a9a9a6)[0-9a-f]{6}"[^>]*/>\n',
                      keep, svg)
    return damage


def marker_rects(svg):
    """The rectangles right of the last trace that are markers (3 px high)."""
    return list(re.finditer(r'<rect x="808" y="([\d.]+)" width="41" height="3" fill="(#[0-9a-f]{6})"/>',
                            svg))


def drop_marker(svg):
    for found in marker_rects(svg)[:1]:
        return svg.replace(found.group(0), '', 1)
    return svg


def move_marker(rows):
    def damage(svg):
        for found in marker_rects(svg)[:1]:
            moved = found.group(0).replace(f'y="{found.group(1)}"', f'y="{float(found.group(1)) + rows:g}"')
            return svg.replace(found.group(0), moved, 1)
        return svg
    return damage


def recolour_marker(svg):
    for found in marker_rects(svg)[:1]:
        return svg.replace(found.group(0), found.group(0).replace(found.group(2), '#c000c0'), 1)
    return svg


def move_strokes(rows):
    """Moves every stroke of the traces `rows` px down."""
    def damage(svg):
        def moved(match):
            return (f'<line x1="{match.group(1)}" y1="{float(match.group(2)) + rows:g}" '
                    f'x2="{match.group(3)}" y2="{float(match.group(4)) + rows:g}"')
        return re.sub(r'<line x1="([\d.]+)" y1="([\d.]+)" x2="([\d.]+)" y2="([\d.]+)"(?= stroke="#'
                      r'(?!404040|969696|606060|5b5b5b|a9a9a6))', moved, svg)
    return damage


def move_strokes_across(columns):
    """Moves every stroke of the traces `columns` px right."""
    def damage(svg):
        def moved(match):
            return (f'<line x1="{float(match.group(1)) + columns:g}" y1="{match.group(2)}" '
                    f'x2="{float(match.group(3)) + columns:g}" y2="{match.group(4)}"')
        return re.sub(r'<line x1="([\d.]+)" y1="([\d.]+)" x2="([\d.]+)" y2="([\d.]+)"(?= stroke="#'
                      r'(?!404040|969696|606060|5b5b5b|a9a9a6))', moved, svg)
    return damage


def red_texts_black(svg):
    return re.sub(r'(<text [^>]*fill=")#ff0000"', r'\1#000000"', svg)


OPTIONAL_DAMAGES = {'red_texts_black': red_texts_black}

DAMAGES = {
    'first_trace_missing': drop_lines_in(68, 309),
    'last_trace_missing': drop_lines_in(564, 805),
    'marker_missing': drop_marker,
    'marker_two_rows_down': move_marker(2),
    'marker_recoloured': recolour_marker,
    'strokes_a_row_down': move_strokes(1),
    'strokes_two_rows_down': move_strokes(2),
    'strokes_three_columns_right': move_strokes_across(3),
}


def read_png(path):
    """Width, height and rows of RGB bytes of an 8-bit PNG without interlace."""
    data = Path(path).read_bytes()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError(f'{path} is not a PNG')
    pos, idat = 8, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
    channels = {2: 3, 6: 4}[colour]
    if depth != 8 or interlace != 0:
        raise ValueError(f'{path}: depth {depth}, interlace {interlace}')
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            up_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - up_left
                near = min((abs(p - left), 0, left), (abs(p - up), 1, up), (abs(p - up_left), 2, up_left))
                line[i] = (line[i] + near[2]) & 255
        previous = line
        rgb = bytes(line) if channels == 3 else bytes(b for i, b in enumerate(line) if i % 4 != 3)
        rows.append(rgb)
    return width, height, rows


def in_trace(x, y):
    return any(left <= x < left + width and top <= y < top + height
               for left, top, width, height in TRACE_AREAS)


def unmatched(a, b):
    """The pixels of `a` that find no colour of `b` within LEVEL and a pixel
    (in the traces, a pixel across only)."""
    width, height, rows_a = a
    _, _, rows_b = b
    found = set()
    for y in range(height):
        if rows_a[y] == rows_b[y]:
            continue
        for x in range(width):
            pixel = rows_a[y][3 * x:3 * x + 3]
            if pixel == rows_b[y][3 * x:3 * x + 3]:
                continue
            down = 0 if in_trace(x, y) else 1
            if not any(all(abs(pixel[i] - other[i]) <= LEVEL for i in range(3))
                       for yy in range(max(0, y - down), min(height, y + down + 1))
                       for xx in range(max(0, x - 1), min(width, x + 2))
                       for other in (rows_b[yy][3 * xx:3 * xx + 3],)):
                found.add((x, y))
    return found


def longest_run(pixels, step):
    """The length of the longest run of `pixels` in the direction `step`."""
    best = 0
    for x, y in pixels:
        if (x - step[0], y - step[1]) in pixels:
            continue
        length = 1
        while (x + length * step[0], y + length * step[1]) in pixels:
            length += 1
        best = max(best, length)
    return best


def measure(png, raster):
    """How far apart the pictures are, the worse of the two ways: the share
    of unmatched pixels, the longest runs of them across and down, and the
    most of them in one tile."""
    width, height, _ = png
    found = {'share': 0.0, 'across': 0, 'down': 0, 'tile': 0}
    for pixels in (unmatched(png, raster), unmatched(raster, png)):
        tiles = {}
        for x, y in pixels:
            tile = (x // TILE, y // TILE)
            tiles[tile] = tiles.get(tile, 0) + 1
        found = {'share': max(found['share'], len(pixels) / (width * height)),
                 'across': max(found['across'], longest_run(pixels, (1, 0))),
                 'down': max(found['down'], longest_run(pixels, (0, 1))),
                 'tile': max([found['tile'], *tiles.values()])}
    found['mean'] = mean_difference(png, raster)
    return found


def tile_means(picture):
    """The mean colour of each TILE x TILE tile, by tile."""
    width, height, rows = picture
    sums = {}
    for y in range(height):
        row = rows[y]
        for x in range(width):
            tile = sums.setdefault((x // TILE, y // TILE), [0, 0, 0, 0])
            tile[0] += row[3 * x]
            tile[1] += row[3 * x + 1]
            tile[2] += row[3 * x + 2]
            tile[3] += 1
    return {tile: [total / values[3] for total in values[:3]] for tile, values in sums.items()}


def mean_difference(png, raster, known={}):
    """The largest difference of a tile's mean colour, in any channel."""
    if id(png) not in known:
        known[id(png)] = tile_means(png)
    means_png, means_raster = known[id(png)], tile_means(raster)
    return max(abs(a - b) for tile, colour in means_png.items()
               for a, b in zip(colour, means_raster[tile]))


def within(found):
    return all(found[key] <= budget for key, budget in BUDGETS.items())


def rasterise(svg_path, png_path, *options):
    subprocess.run(['rsvg-convert', *options, str(svg_path), '-o', str(png_path)], check=True)
    return read_png(png_path)


def check_document(svg_path):
    root = ElementTree.parse(svg_path).getroot()
    size = (int(root.get('width')), int(root.get('height')))
    assert root.tag == SVG + 'svg' and size == FORM_SIZE, f'{svg_path}: {root.tag} {size}'
    assert root.find(SVG + 'title').text, f'{svg_path}: no title'
    assert not root.findall('.//' + SVG + 'image'), f'{svg_path}: holds a raster'
    assert root.findall(SVG + 'line') and root.findall(SVG + 'text'), f'{svg_path}: no vectors'


def check_sharp_at_4x(svg_path, work):
    """At 4x the Receive node line and its neighbours fill whole 4 px columns."""
    left, top, columns = 803, 100, 10
    _, height, rows = rasterise(svg_path, work / 'sharp.png', '-z', '4',
                                f'--page-width={4 * columns}', f'--page-height=16',
                                f'--left=-{4 * left}', f'--top=-{4 * top}')
    for column in range(columns):
        colours = {rows[y][12 * column + 3 * i:12 * column + 3 * i + 3]
                   for y in range(height) for i in range(4)}
        assert len(colours) == 1, f'{svg_path}: column {left + column} at 4x: {colours}'
    line = rows[0][12 * (808 - left):12 * (808 - left) + 3]
    assert line == bytes((64, 64, 64)), f'{svg_path}: the node line at 4x is {line.hex()}'


def main():
    trace, work = sys.argv[1], Path(sys.argv[2])
    work.mkdir(parents=True, exist_ok=True)
    failures = []
    for name, (options, extra) in CASES.items():
        png_path, svg_path = work / f'{name}.png', work / f'{name}.svg'
        subprocess.run([trace, *options, '--png', str(png_path), '--svg', str(svg_path)],
                       check=True, stdout=subprocess.DEVNULL)
        check_document(svg_path)
        check_sharp_at_4x(svg_path, work)
        png = read_png(png_path)
        found = measure(png, rasterise(svg_path, work / f'{name}_svg.png'))
        print(f'{name}: {found}; budgets {BUDGETS}')
        if not within(found):
            failures.append(f'{name}: not equal to the PNG: {found}')
        svg = svg_path.read_text(encoding='utf-8')
        damages = {**DAMAGES, **{key: OPTIONAL_DAMAGES[key] for key in extra}}
        for damage_name, damage in damages.items():
            damaged = damage(svg)
            if damaged == svg:
                failures.append(f'{name}/{damage_name}: nothing there to damage')
                continue
            damaged_path = work / f'{name}_{damage_name}.svg'
            damaged_path.write_text(damaged, encoding='utf-8')
            found = measure(png, rasterise(damaged_path, work / 'damaged.png'))
            print(f'  {damage_name}: {found}')
            if within(found):
                failures.append(f'{name}/{damage_name}: still equal to the PNG: {found}')
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
