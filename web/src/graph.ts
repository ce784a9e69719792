// The result graph as SVG, drawn as the desktop's graph window draws it: relative value (%) against position
// (cm) in a frame of 0..25 cm and 0..100 %, grey grid, red markers joined by a line that starts at the centre's
// nominal 100 %, error bars (U, k = 2) where the uncertainty is known, and with a baseline its dashed grey line,
// hollow markers, blue rings round the positions outside the tolerance and a legend. The values come from the
// core; only the frame's stretch and its tick numbers, which are presentation, are decided here.
// Plain SVG rather than a charting library: one fixed line chart whose look is the desktop's takes a few
// hundred lines, where a library would add its weight to the one-file page and its own look to undo.
import type { GraphPoint, Views } from './core';

const kSvg = 'http://www.w3.org/2000/svg';

// The desktop's picture: 509 x 461 pixels at 96 dpi, graph units from -5 to 26 cm and from -15 to 105 %.
export const kWidth = 509;
export const kHeight = 461;
const kLeft = -5;
const kRight = 26;
const kTop = 105;
const kBottom = -15;
const kStandardLastX = 25;

const kGridColour = '#808080';
const kProfileColour = '#ff0000';
const kBaselineColour = '#808080';
const kFlagColour = '#0000ff';
const kMarkerRadiusX = 0.2;
const kFlagRingRadiusX = 0.45;
const kErrorBarCapX = 0.25;

// The y grid steps tried in turn for a stretched axis: the first that keeps the frame to 12 steps.
const kGridSteps = [10, 20, 50, 100, 200, 500, 1e3, 2e3, 5e3, 1e4, 2e4, 5e4, 1e5, 2e5, 5e5, 1e6, 2e6];
const kMostGridSteps = 12;
// Values beyond this are cut there, as on the desktop.
const kCoordinateBound = 1e6;

// The axis inscriptions of the desktop's picture, in twips from its top-left corner (15 to a pixel); tickOf
// names the axis whose stretch moves them away (then tick numbers are drawn in their place).
interface AxisLabel { text: string; left: number; top: number; width: number; height: number; size: number;
    tickOf?: 'x' | 'y' | 'yTop' }
const kAxisLabels: AxisLabel[] = [
    { text: '100', left: 600, top: 120, width: 495, height: 345, size: 21, tickOf: 'yTop' },
    { text: '50', left: 720, top: 3000, width: 330, height: 345, size: 21, tickOf: 'y' },
    { text: '0', left: 840, top: 5760, width: 165, height: 345, size: 21, tickOf: 'y' },
    { text: 'Relative', left: 120, top: 960, width: 885, height: 315, size: 19 },
    { text: 'Exposure', left: 120, top: 1320, width: 1065, height: 315, size: 19 },
    { text: '0', left: 1080, top: 6120, width: 165, height: 345, size: 21 },
    { text: '10', left: 3480, top: 6120, width: 330, height: 345, size: 21, tickOf: 'x' },
    { text: '20', left: 6000, top: 6120, width: 330, height: 345, size: 21, tickOf: 'x' },
    { text: 'cm', left: 6600, top: 6120, width: 345, height: 315, size: 19 },
    { text: 'Off center', left: 4320, top: 6360, width: 1260, height: 345, size: 21 },
];
const kTickSize = 21;
const kXTickTop = 6120 / 15;
const kYTickRight = 1005 / 15;
const kLeastTickGap = 24;

export interface Frame {
    lastX: number;   // cm at the frame's right edge
    bottomY: number; // percent at its lower edge
    topY: number;    // and its upper edge
    yStep: number;   // spacing of the horizontal grid lines
}

function finite(value: number | null | undefined): value is number {
    return typeof value === 'number' && Number.isFinite(value);
}

// The frame that holds every position, relative value, error bar and baseline value: 0..25 cm widened to the
// last position; 0..100 % lowered or raised to whole grid steps, the steps growing so that there are at most 12.
export function frameOf(graph: Views['graph']): Frame {
    const frame: Frame = { lastX: kStandardLastX, bottomY: 0, topY: 100, yStep: 10 };
    let lowest = 0;
    let highest = 100;
    const take = (value: number): void => {
        lowest = Math.min(lowest, value);
        highest = Math.max(highest, value);
    };
    for (const point of graph.points) {
        frame.lastX = Math.max(frame.lastX, point.position);
        if (finite(point.relative)) {
            take(point.relative);
            if (finite(point.errorBar) && point.errorBar > 0) {
                take(point.relative - point.errorBar);
                take(point.relative + point.errorBar);
            }
        }
    }
    for (const point of graph.baseline ?? []) {
        if (finite(point.relative)) {
            take(point.relative);
        }
    }
    lowest = Math.max(lowest, -kCoordinateBound);
    highest = Math.min(highest, kCoordinateBound);
    if (lowest < 0 || highest > 100) {
        for (const step of kGridSteps) {
            frame.yStep = step;
            frame.bottomY = lowest < 0 ? -Math.ceil(-lowest / step) * step : 0;
            frame.topY = highest > 100 ? Math.ceil(highest / step) * step : 100;
            if ((frame.topY - frame.bottomY) / step <= kMostGridSteps) {
                break;
            }
        }
    }
    return frame;
}

// Pixels of the picture of a point in the frame's units (cm, percent).
export function toPixel(frame: Frame, x: number, y: number): [number, number] {
    const bound = (v: number): number => Math.min(Math.max(v, -kCoordinateBound), kCoordinateBound);
    const standardX = bound(x) * kStandardLastX / frame.lastX;
    const standardY = (bound(y) - frame.bottomY) * 100 / (frame.topY - frame.bottomY);
    return [(standardX - kLeft) * kWidth / (kRight - kLeft), (kTop - standardY) * kHeight / (kTop - kBottom)];
}

// The 1-2-5 progression's next step: 50, 100, 200, 500, ...
function nextRoundStep(step: number): number {
    const leading = Math.round(step / 10 ** Math.floor(Math.log10(step)));
    return (leading === 2 ? 2.5 : 2) * step;
}

// The numbers of a stretched y axis: a round step that leaves room for each number, and the frame's ends
// where they do not crowd another (the top always when it moved; the fixed "100" shows it otherwise).
function yTickValues(frame: Frame): number[] {
    const pixelsPerPercent = Math.abs(toPixel(frame, 0, frame.bottomY)[1] - toPixel(frame, 0, frame.topY)[1]) /
        (frame.topY - frame.bottomY);
    let labelStep = 50;
    while (labelStep * pixelsPerPercent < kLeastTickGap && labelStep < 1e7) {
        labelStep = nextRoundStep(labelStep);
    }
    const placed = [frame.topY];
    const values: number[] = [];
    for (let y = Math.ceil(frame.bottomY / labelStep) * labelStep; y < frame.topY; y += labelStep) {
        values.push(y);
    }
    values.push(frame.bottomY);
    for (const y of values) {
        if (placed.every((other) => Math.abs(other - y) * pixelsPerPercent >= kLeastTickGap)) {
            placed.push(y);
        }
    }
    return frame.topY !== 100 ? placed : placed.slice(1);
}

function labelFits(label: AxisLabel, frame: Frame): boolean {
    switch (label.tickOf) {
        case 'x': return frame.lastX === kStandardLastX;
        case 'y': return frame.bottomY === 0 && frame.topY === 100;
        case 'yTop': return frame.topY === 100;
        default: return true;
    }
}

class Drawing {
    constructor(private svg: SVGSVGElement, private frame: Frame) {}

    add(name: string, attributes: Record<string, string | number>, parent: Element = this.svg): SVGElement {
        const shape = document.createElementNS(kSvg, name);
        for (const [key, value] of Object.entries(attributes)) {
            shape.setAttribute(key, String(value));
        }
        parent.append(shape);
        return shape;
    }

    line(x1: number, y1: number, x2: number, y2: number, colour: string, width: number, parent?: Element): void {
        const [a, b] = toPixel(this.frame, x1, y1);
        const [c, d] = toPixel(this.frame, x2, y2);
        this.add('line', { x1: a, y1: b, x2: c, y2: d, stroke: colour, 'stroke-width': width }, parent);
    }

    circle(x: number, y: number, radiusX: number, attributes: Record<string, string | number>): void {
        const [cx, cy] = toPixel(this.frame, x, y);
        this.add('circle', { cx, cy, r: radiusX * kWidth / (kRight - kLeft), ...attributes });
    }

    // A line through the points, broken where a value is missing.
    polyline(points: GraphPoint[], attributes: Record<string, string | number>, start?: [number, number]): void {
        let run: string[] = start ? [toPixel(this.frame, ...start).join(',')] : [];
        const flush = (): void => {
            if (run.length > 1) {
                this.add('polyline', { points: run.join(' '), fill: 'none', ...attributes });
            }
            run = [];
        };
        for (const point of points) {
            if (finite(point.relative)) {
                run.push(toPixel(this.frame, point.position, point.relative).join(','));
            } else {
                flush();
            }
        }
        flush();
    }

    text(content: string, x: number, y: number, size: number, attributes: Record<string, string | number> = {}):
        SVGTextElement {
        const text = this.add('text', { x, y, 'font-size': size, ...attributes }) as SVGTextElement;
        text.textContent = content;
        return text;
    }
}

export interface GraphTexts {
    title: string;
    description: string;
}

// Draws the graph of views into svg (emptied first). The markers carry class "marker", the flagged
// positions' rings "flag-ring", the error bars "error-bar".
export function drawGraph(svg: SVGSVGElement, graph: Views['graph'], texts: GraphTexts): void {
    const frame = frameOf(graph);
    const drawing = new Drawing(svg, frame);
    svg.replaceChildren();
    svg.setAttribute('viewBox', `0 0 ${kWidth} ${kHeight}`);
    svg.setAttribute('role', 'img');
    drawing.add('title', { id: 'graph-title' }).textContent = texts.title;
    drawing.add('desc', { id: 'graph-desc' }).textContent = texts.description;
    svg.setAttribute('aria-labelledby', 'graph-title');
    svg.setAttribute('aria-describedby', 'graph-desc');
    drawing.add('rect', { x: 0, y: 0, width: kWidth, height: kHeight, fill: '#fff' });

    for (let x = 1; x < frame.lastX; ++x) {
        drawing.line(x, frame.bottomY, x, frame.topY, kGridColour, 1);
    }
    for (let y = frame.bottomY + frame.yStep; y < frame.topY; y += frame.yStep) {
        drawing.line(0, y, frame.lastX, y, kGridColour, 1);
    }
    const [left, top] = toPixel(frame, 0, frame.topY);
    const [right, bottom] = toPixel(frame, frame.lastX, frame.bottomY);
    drawing.add('rect', { x: left, y: top, width: right - left, height: bottom - top, fill: 'none',
        stroke: '#000', 'stroke-width': 2 });

    if (graph.baseline) {
        drawing.polyline(graph.baseline, { stroke: kBaselineColour, 'stroke-width': 1, 'stroke-dasharray': '6 3',
            class: 'baseline-line' });
        for (const point of graph.baseline.filter((p) => finite(p.relative))) {
            drawing.circle(point.position, point.relative!, kMarkerRadiusX, { fill: '#fff', stroke: kBaselineColour,
                'stroke-width': 2, class: 'baseline-marker' });
        }
    }
    for (const point of graph.points) {
        if (finite(point.relative) && finite(point.errorBar) && point.errorBar > 0) {
            const { position: x, relative: q, errorBar: u } = point;
            const bar = drawing.add('g', { class: 'error-bar' });
            drawing.line(x, q - u, x, q + u, kProfileColour, 1, bar);
            for (const end of [q - u, q + u]) {
                drawing.line(x - kErrorBarCapX, end, x + kErrorBarCapX, end, kProfileColour, 1, bar);
            }
        }
    }
    for (const point of graph.points.filter((p) => finite(p.relative))) {
        drawing.circle(point.position, point.relative!, kMarkerRadiusX, { fill: kProfileColour,
            stroke: kProfileColour, 'stroke-width': 2, class: 'marker' });
    }
    // The line starts at the centre's nominal 100 %, not at the centre's own value.
    drawing.polyline(graph.points.filter((p) => p.position > 0), { stroke: kProfileColour, 'stroke-width': 2 },
        [0, 100]);
    for (const point of (graph.flagged ?? []).filter((p) => finite(p.relative))) {
        drawing.circle(point.position, point.relative!, kFlagRingRadiusX, { fill: 'none', stroke: kFlagColour,
            'stroke-width': 2, class: 'flag-ring' });
    }

    drawLabels(drawing, frame);
    if (graph.legend) {
        drawLegend(drawing, frame, graph.legend, (graph.flagged ?? []).length > 0);
    }
}

function drawLabels(drawing: Drawing, frame: Frame): void {
    const serif = { 'font-family': '"Times New Roman", "Liberation Serif", Times, serif' };
    const fixed = kAxisLabels.filter((label) => labelFits(label, frame));
    for (const label of fixed) {
        // Set from the top of the label's box, as the desktop's labels are.
        drawing.text(label.text, label.left / 15, label.top / 15 + label.size * 0.9, label.size, serif);
    }
    if (frame.lastX !== kStandardLastX) {
        const ticks: number[] = [];
        for (let x = 10; x <= frame.lastX; x += 10) {
            ticks.push(x);
        }
        if (frame.lastX % 10 >= 3) {
            ticks.push(frame.lastX);
        }
        for (const x of ticks) {
            drawing.text(String(x), toPixel(frame, x, 0)[0], kXTickTop + kTickSize * 0.9, kTickSize,
                { ...serif, 'text-anchor': 'middle' });
        }
    }
    if (frame.bottomY !== 0 || frame.topY !== 100) {
        for (const y of yTickValues(frame)) {
            const text = String(Number(y.toPrecision(7)));
            const middle = toPixel(frame, 0, y)[1];
            // A number that would run into a fixed inscription (the axis title) is left out.
            const width = text.length * kTickSize * 0.5;
            const covered = fixed.some((label) => label.left / 15 < kYTickRight &&
                label.left / 15 + label.width / 15 > kYTickRight - width &&
                label.top / 15 < middle + kTickSize / 2 && label.top / 15 + label.height / 15 > middle - kTickSize / 2);
            if (!covered) {
                const size = Math.max(10, Math.min(kTickSize, kTickSize * (kYTickRight - 2) / width));
                drawing.text(text, kYTickRight, middle + size * 0.35, size, { ...serif, 'text-anchor': 'end' });
            }
        }
    }
}

// The legend: a white box in the frame's upper right corner (25 cm, 100 %), where the profile leaves room.
function drawLegend(drawing: Drawing, frame: Frame, legend: NonNullable<Views['graph']['legend']>,
    anyFlagged: boolean): void {
    const entries: [string, string, string][] = [
        [legend.measurement, kProfileColour, 'line'],
        [legend.baseline, kBaselineColour, 'dashed'],
        ...(anyFlagged ? [[legend.flagged, kFlagColour, 'ring'] as [string, string, string]] : []),
    ];
    const size = 13;
    const padding = 6;
    const sample = 28;
    const row = size + 6;
    const group = drawing.add('g', { class: 'legend',
        'font-family': '"Yu Gothic UI", "Yu Gothic", Meiryo, "Hiragino Sans", "Noto Sans CJK JP", sans-serif' });
    const box = drawing.add('rect', { fill: '#fff', stroke: '#000', 'stroke-width': 1 }, group);
    const names = entries.map(([name]) => {
        const text = drawing.add('text', { 'font-size': size }, group) as SVGTextElement;
        text.textContent = name;
        return text;
    });
    // The names' widths as the browser sets them; an estimate where it has not laid them out (a hidden page).
    const measured = names.map((text) => text.getComputedTextLength?.() ?? 0);
    const estimate = Math.max(...entries.map(([name]) =>
        [...name].reduce((sum, c) => sum + (c.charCodeAt(0) > 0x2e80 ? size : size * 0.55), 0)));
    const textWidth = Math.ceil(Math.max(...measured) || estimate);
    const width = padding * 3 + sample + textWidth;
    const height = padding * 2 + row * entries.length;
    const [cornerX, cornerY] = toPixel(frame, frame.lastX, frame.topY);
    const left = Math.floor(cornerX - width - 4) + 0.5;
    const top = Math.floor(cornerY + 4) + 0.5;
    Object.entries({ x: left, y: top, width, height }).forEach(([k, v]) => box.setAttribute(k, String(v)));
    entries.forEach(([, colour, kind], k) => {
        const middle = Math.floor(top + padding + row * k + row / 2);
        const sampleLeft = left + padding;
        const centre = sampleLeft + sample / 2;
        if (kind === 'ring') {
            drawing.add('circle', { cx: centre, cy: middle, r: 6, fill: 'none', stroke: colour, 'stroke-width': 2 },
                group);
        } else {
            drawing.add('line', { x1: sampleLeft, y1: middle, x2: sampleLeft + sample, y2: middle, stroke: colour,
                'stroke-width': 2, ...(kind === 'dashed' ? { 'stroke-dasharray': '6 3' } : {}) }, group);
            drawing.add('circle', { cx: centre, cy: middle, r: 3, fill: kind === 'line' ? colour : '#fff',
                stroke: colour, 'stroke-width': 2 }, group);
        }
        names[k].setAttribute('x', String(sampleLeft + sample + padding));
        names[k].setAttribute('y', String(middle + size * 0.35));
    });
}
