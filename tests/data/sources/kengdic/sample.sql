--
-- PostgreSQL database dump
--

SET client_encoding = 'UTF8';
SET check_function_bodies = false;
SET client_min_messages = warning;

SET search_path = modpgwebuser, pg_catalog;

--
-- Data for Name: m_korean; Type: TABLE DATA; Schema: modpgwebuser; Owner: postgres
--

COPY m_korean (wordid, word, syn, def, pos, submitter, doe, wordsize, "level", posn, hanja) FROM stdin;
58926	호주		Australia	7	joe	\N	\N	D	1	濠\n洲\n
3178	기구		A utensil or  tool	1	joe	2006-11-18 00:45:02	\N	C	1	器\n具\n
5464	꼼꼼하다	\N	very careful or meticulous, doing it in a very detailed manner	4	joe	2006-11-18 00:45:02	\N	C	1	\N
4443	쓸다	마당을 ~	brush, sweep perhaps lightly	2	joe	\N	\N	C	1	\N
178	사이	\N	space between 2 points; the relationship between 2 people	1	joe	\N	\N	A	1	\N
51791	발달하다		To advance	2	joe	\N	\N	B	1	發\n達\n-
15	그	\N	He	8	joe	2006-11-18 00:45:02	\N	A	1	\N
58921	한강		The han river, runs through Seoul	7	joe	\N	\N	D	1	漢\n江\n
58900	베이징(북경)		Beijing	7	joe	\N	\N	D	1	北\n京\n
17800	팩스		Fax	1	joe	\N	\N	C	1	fax\n
8978	표시하다		To make a sign, display	2	joe	\N	\N	C	1	標\n示\n-
9091	대		A stem, stalk	1	joe	2006-11-18 00:45:02	\N	C	1	줄\n기\n
3117	새	사이	An interval	1	joe	\N	\N	C	1	\N
1089	새	날짐승	A bird	1	joe	\N	\N	A	1	\N
5798	이별		Parting, separation; divorce	1	joe	\N	\N	C	1	離\n別\n
4976	금하다		1) suppress or  restraint 2) abstain from or  restrain from	2	joe	2006-11-18 00:45:02	\N	C	1	禁\n-
5540	저편		That side,direction	8	joe	\N	\N	C	1	-便
6507	한잔하다		To drink a glass of liquor	2	joe	\N	\N	B	1	­盞-
4318	표시하다		To make a sign, display	2	joe	\N	\N	B	1	表\n示\n-
9548	마흔	\N	Forty	9	joe	\N	\N	A	1	\N
1164	그	\N	That	10	joe	2006-11-18 00:45:02	\N	A	1	\N
58925	프랑스	France	France	7	joe	\N	\N	D	1	\N
1250	기구		Structure or  framework	1	joe	2006-12-28 22:57:20	\N	C	1	機\n構\n
466	새	\N	New	6	joe	\N	\N	A	1	\N
1	것	\N	A thing or  an object	5	joe	2006-11-18 00:45:02	\N	A	1	\N
125	학교		School	1	joe	\N	\N	A	1	學\n校\n
5090	대	담배 한 ~	One piece	5	joe	2006-11-18 00:45:02	\N	C	1	\N
\N	cute	\N	cute	0	curious	2009-01-29 10:39:20	12	\N	1	\N
527	대	代	Era, period	5	joe	2006-11-18 00:45:02	\N	C	1	\N
2764	대	對. 개인 ~ 개인	1) Versus 2)a pair, counterpart	5	joe	2006-11-18 00:45:02	\N	B	1	\N
856	짧다	\N	Short, brief	4	joe	\N	\N	A	1	\N
134	그래서	\N	And so accordingly	3	joe	2006-11-18 00:45:02	\N	A	1	\N
540	나무	\N	Tree	1	joe	2006-11-18 00:45:02	\N	A	1	\N
1607	기13	氣	1) energy  2) breath or  wind	1	joe	2006-11-18 00:45:02	\N	C	1	\N
3081	여보세요	\N	Telephone HELLO	10	joe	\N	\N	A	1	\N
23	주다	\N	To give, to do for a person	도	joe	\N	\N	A	1	\N
9061	그래서	그리하여서	So or  therefore	불	joe	2006-11-18 00:45:02	\N	A	1	\N
119	하나	\N	One	9	joe	\N	\N	A	1	\N
242	하나	\N	One	1	joe	\N	\N	A	1	\N
121	버리다	\N	(following a verb) the verb\\'s action is over, perhaps in a sad way	보	joe	\N	\N	A	1	\N
704	버리다	\N	Throw away	2	joe	\N	\N	B	1	\N
2143	자신		Self-confidence	1	joe	\N	\N	B	1	自\n信\n
72	자신		one’s own self, one\\'s own body	1	joe	2006-12-27 03:14:47	\N	B	1	自\n身\n
2405	내내	\N	All along, the entire time	3	joe	2006-11-18 00:45:02	\N	B	1	\N
4813	안기다	'안다'의 피동사	(1) To fix on a person, lay the blame on a person  
(2) to throw onto sb, to pass onto sb, to pawn off onto sb, to hand over to sb	2	joe	\N	\N	C	1	\N
4006	안기다	'안다'의 사동사	to be embraced by sb (in their arms)	2	joe	\N	\N	C	1	\N
3065	고생하다		To suffer or  to have trials ; to do something you don\\'t want to do, 하고 싶자 않은 것	2	joe	2006-11-18 00:45:02	\N	B	1	苦\n生\n-
10015	먹다	귀를 ~	Go deaf	2	joe	\N	\N	C	1	\N
70	먹다	밥을 ~	Eat, chow down on	2	joe	\N	\N	A	1	\N
3924	먹다	잊어 ~	VST + 먹다 , adds no meaning	보	joe	\N	\N	A	1	\N
2571	마구	\N	continuously, without pause	3	joe	\N	\N	B	1	\N
\.


--
-- PostgreSQL database dump complete
--