// What the page shows of a conversion besides the list: the results table (with the verdict per position when
// a baseline is chosen), the graph, the comparison's summary and the printed report. All of it comes from one
// answer of the core, so that table, graph and report always show the same conversion.
import { Comparison } from './comparison';
import type { Core, Refused } from './core';
import { drawGraph } from './graph';
import { PrintedReport, reportTime } from './print';
import { type Language, text } from './texts';

function element<T extends HTMLElement>(id: string): T {
    return document.getElementById(id) as T;
}

export class ResultViews {
    readonly comparison: Comparison;
    private report = new PrintedReport();
    private graph = document.getElementById('graph') as unknown as SVGSVGElement;
    private printButton = element<HTMLButtonElement>('print');
    private shown: { measurement: string } | null = null;

    // fileName: the measurement file's name for the report, empty when there is none; changed: the results no
    // longer belong to what is chosen.
    constructor(private core: Core, private language: () => Language, private fileName: () => string,
        changed: () => void) {
        this.comparison = new Comparison(core, language, changed);
        this.printButton.addEventListener('click', () => window.print());
        // The report says when it was printed, as the desktop's says when it was made.
        window.addEventListener('beforeprint', () => {
            if (this.shown) {
                this.show(this.shown.measurement);
            }
        });
    }

    relabel(): void {
        this.comparison.relabel();
    }

    clear(): void {
        this.shown = null;
        element('results').querySelector('thead')!.replaceChildren();
        element('results').querySelector('tbody')!.replaceChildren();
        element('model').textContent = text(this.language(), 'noResults');
        element('comparison').textContent = '';
        element('graph-frame').hidden = true;
        this.graph.replaceChildren();
        this.printButton.disabled = true;
        this.report.clear();
    }

    // Shows the views of a converted measurement file's text; the core's refusal (a baseline that cannot be
    // compared, a tolerance that is not a number of 0 or more) when there are none.
    show(measurement: string): Refused | null {
        const language = this.language();
        const views = this.core.views(language, measurement, this.comparison.request(), this.fileName(),
            reportTime());
        if (!views.ok) {
            return views;
        }
        this.shown = { measurement };
        element('model').textContent = text(language, 'model', views.model);
        const head = document.createElement('tr');
        for (const heading of views.headings) {
            const cell = document.createElement('th');
            cell.scope = 'col';
            cell.textContent = heading;
            head.append(cell);
        }
        element('results').querySelector('thead')!.replaceChildren(head);
        element('results').querySelector('tbody')!.replaceChildren(...views.rows.map((cells, k) => {
            const row = document.createElement('tr');
            row.dataset.testid = `result-row-${k}`;
            row.classList.toggle('flagged', views.flagged[k]);
            for (const value of cells) {
                const cell = document.createElement('td');
                cell.textContent = value;
                row.append(cell);
            }
            return row;
        }));
        element('comparison').textContent = views.summary?.trim() ?? '';
        element('graph-frame').hidden = false;
        const flagged = views.flagged.filter(Boolean).length;
        drawGraph(this.graph, views.graph, {
            title: text(language, 'graphTitle'),
            description: text(language, views.graph.points.some((p) => p.errorBar) ? 'graphWithBars' : 'graphPlain',
                String(views.graph.points.length)) + (views.summary ? ' ' + text(language, 'graphFlagged',
                String(flagged)) : ''),
        });
        this.report.fill(views.report, views.summary, this.graph);
        this.printButton.disabled = false;
        return null;
    }
}
